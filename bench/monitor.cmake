if(VESK_GUI)
  vesk_add_bench(monitor DEPS vesk_extras_gui vesk_settings vesk_store)
endif()
