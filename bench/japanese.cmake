vesk_add_bench(japanese DEPS vesk_boxes)
