vesk_add_fuzzer(mimedecode DEPS vesk_japanese)
