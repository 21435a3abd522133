vesk_add_bench(local_pop3 DEPS vesk_server)
