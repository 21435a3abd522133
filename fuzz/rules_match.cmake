vesk_add_fuzzer(rules_match DEPS vesk_rules)
