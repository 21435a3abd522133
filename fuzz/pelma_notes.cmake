vesk_add_fuzzer(pelma_notes DEPS vesk_pelma vesk_extras)
