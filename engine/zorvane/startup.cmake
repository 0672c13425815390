# zorvane's start-up: its data initialiser and its main procedure, which
# runs the frame between the start and the end of the program's services.
add_library(zorvane_startup STATIC ${CMAKE_CURRENT_LIST_DIR}/startup.cpp)
target_include_directories(zorvane_startup PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zorvane_startup PUBLIC demo_frame demo_dictionary engine fw_app fw_core)
