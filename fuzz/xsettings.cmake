vesk_add_fuzzer(xsettings DEPS vesk_platform)
