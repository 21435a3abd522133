vesk_add_fuzzer(store_uidl DEPS vesk_store)
