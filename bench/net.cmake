vesk_add_bench(net DEPS vesk_net)
