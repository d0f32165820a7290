# Window image checks; include()d from tests/CMakeLists.txt.
add_executable(tst_images ${CMAKE_CURRENT_LIST_DIR}/tst_images.cpp)
target_link_libraries(tst_images PRIVATE quorvin_images icongen_maps Qt6::Test)
# The test compares the committed files with their pixel maps, so it reads the source tree.
get_filename_component(_quorvin_image_maps "${CMAKE_CURRENT_LIST_DIR}/../../app/images/src" ABSOLUTE)
target_compile_definitions(tst_images PRIVATE QUORVIN_IMAGES_SOURCE_DIR="${_quorvin_image_maps}")
add_test(NAME tst_images COMMAND tst_images)
set_tests_properties(tst_images PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
