vesk_add_fuzzer(jcode DEPS vesk_japanese)
