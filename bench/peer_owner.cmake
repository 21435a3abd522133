vesk_add_bench(peer_owner DEPS vesk_net)
