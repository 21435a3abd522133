vesk_add_fuzzer(kept_ids DEPS vesk_session)
