vesk_add_bench(boxes DEPS vesk_boxes)
