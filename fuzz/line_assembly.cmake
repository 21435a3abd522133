vesk_add_fuzzer(line_assembly DEPS vesk_net)
