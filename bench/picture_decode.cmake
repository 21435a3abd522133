if(TARGET vesk_platform_gui)
  vesk_add_bench(picture_decode DEPS vesk_platform_gui)
endif()
