# Warnings shared by every target of the project.
function(qorkit_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
endfunction()

# The compiled-in artwork: every resources/*.qrc.
function(qorkit_add_resources)
  file(GLOB qrc CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*.qrc)
  if(NOT qrc)
    add_library(qorkit_resources INTERFACE)
    return()
  endif()
  add_library(qorkit_resources OBJECT ${qrc})
  target_link_libraries(qorkit_resources PUBLIC Qt6::Core)
  target_sources(qorkit_rt PRIVATE $<TARGET_OBJECTS:qorkit_resources>)
endfunction()

# One source folder = one object library `qorkit_<unit>`, linked into qorkit_rt.
function(qorkit_add_unit unit)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${unit}/*.cpp
                                      ${PROJECT_SOURCE_DIR}/${unit}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(NOT sources)
    return()
  endif()
  file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${unit}/*.h)
  add_library(qorkit_${unit} OBJECT ${sources} ${headers})
  target_include_directories(qorkit_${unit} PUBLIC ${PROJECT_SOURCE_DIR}
                                                   ${PROJECT_BINARY_DIR}/include)
  target_compile_definitions(qorkit_${unit} PRIVATE qorkit_rt_EXPORTS)
  target_link_libraries(qorkit_${unit} PUBLIC Qt6::Widgets)
  qorkit_target_options(qorkit_${unit})
  target_sources(qorkit_rt PRIVATE $<TARGET_OBJECTS:qorkit_${unit}>)
  set_property(GLOBAL APPEND PROPERTY QORKIT_PRESENT_UNITS ${unit})
endfunction()

# Links the units a test or tool needs straight from their objects.
function(qorkit_link_units target)
  target_link_libraries(${target} PRIVATE qorkit_resources)
  set(units ${ARGN})
  list(REMOVE_DUPLICATES units)
  foreach(unit IN LISTS units)
    if(TARGET qorkit_${unit})
      target_link_libraries(${target} PRIVATE qorkit_${unit})
    endif()
  endforeach()
endfunction()
