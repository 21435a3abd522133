vesk_add_fuzzer(tofromsub DEPS vesk_boxes)
