vesk_add_fuzzer(oauth_replies DEPS vesk_auth)
