vesk_add_fuzzer(quickview DEPS vesk_boxes)
