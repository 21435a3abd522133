vesk_add_fuzzer(base64 DEPS vesk_japanese)
