# The video reader, as the frame import drives it.
mirovane_add_fuzzer(video mirovane_video_static)
