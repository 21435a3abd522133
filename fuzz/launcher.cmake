vesk_add_fuzzer(launcher DEPS vesk_launcher)
