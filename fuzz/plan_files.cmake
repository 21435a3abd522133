vesk_add_fuzzer(plan_files DEPS vesk_plan)
