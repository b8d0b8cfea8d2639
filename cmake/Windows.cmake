# The Windows program, its test executables and the tools the end-to-end journeys use.
enable_language(RC)

# Small and self-contained: one .exe with no MinGW runtime DLL, unused sections dropped. The
# program has one thread, so function-local statics need no lock (which would bring in more of
# the threads library).
set(QUORVEL_WINDOWS_COMPILE_OPTIONS -Os -ffunction-sections -fdata-sections -fno-threadsafe-statics -Wall -Wextra)
# Floating point in SSE2 registers on 32 bits too, as on 64: the x87 unit keeps more precision
# between steps, which turned a few pixels of the decoded pictures one or two shades another way
# than the 64-bit build and libjpeg-turbo draw them. Every processor Windows 8 and later run on,
# and every x86 processor since 2003, has SSE2.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  list(APPEND QUORVEL_WINDOWS_COMPILE_OPTIONS -msse2 -mfpmath=sse)
endif()
target_compile_definitions(quorvel_core PUBLIC
  WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
# No time stamp in the PE header: the same sources give the same bytes.
set(QUORVEL_WINDOWS_LINK_OPTIONS -static -Wl,--gc-sections -Wl,--no-insert-timestamp -s)
target_compile_options(quorvel_core PRIVATE ${QUORVEL_WINDOWS_COMPILE_OPTIONS})

set(assets ${CMAKE_SOURCE_DIR}/src/resources/generated)
function(quorvel_embed input symbol)
  set(output ${CMAKE_BINARY_DIR}/generated/embedded/${symbol}.cpp)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DSYMBOL=${symbol} -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
    DEPENDS ${input} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake VERBATIM)
  set(QUORVEL_EMBEDDED ${QUORVEL_EMBEDDED} ${output} PARENT_SCOPE)
endfunction()
set(QUORVEL_EMBEDDED)
quorvel_embed(${assets}/search-background.jpg SearchBackgroundJpeg)
quorvel_embed(${assets}/examples-banner.jpg ExamplesBannerJpeg)
quorvel_embed(${assets}/examples.ico ExamplesIcon)
quorvel_embed(${assets}/hand.cur HandCursor)

# The manifest names the processor: Windows refuses a 64-bit program whose manifest says x86.
# Nothing else differs between the two; its lines end in CR LF.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUORVEL_MANIFEST_ARCH amd64)
else()
  set(QUORVEL_MANIFEST_ARCH x86)
endif()
set(MANIFEST ${CMAKE_BINARY_DIR}/generated/app.manifest)
configure_file(src/resources/app.manifest.in ${MANIFEST} @ONLY NEWLINE_STYLE CRLF)
set(ASSETS ${assets})
configure_file(src/resources/app.rc.in ${CMAKE_BINARY_DIR}/generated/app.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/generated/app.rc PROPERTIES
  OBJECT_DEPENDS "${MANIFEST};${assets}/icon-1.bin;${assets}/icon-30001.bin;${assets}/group-ICON_0.bin;${assets}/group-1.bin")

# Everything but WinMain, so the tests can build the real windows in their own process.
add_library(quorvel_app STATIC
  src/accessibility/Accessibility.cpp
  src/accessibility/AccessibleDispatch.cpp
  src/accessibility/AccessibleObject.cpp
  src/display/Colours.cpp
  src/display/DarkMode.cpp
  src/forms/Control.cpp
  src/forms/ControlElement.cpp
  src/forms/ControlToolTips.cpp
  src/display/Dpi.cpp
  src/forms/Form.cpp
  src/forms/FormDisplay.cpp
  src/forms/FormFocus.cpp
  src/forms/FormShowing.cpp
  src/forms/Modality.cpp
  src/forms/Layout.cpp
  src/forms/MessageLoop.cpp
  src/accessibility/Ole.cpp
  src/pictures/Picture.cpp
  src/platform/RuntimeError.cpp
  src/forms/Surface.cpp
  src/forms/SurfacePaint.cpp
  src/platform/SystemLibraries.cpp
  src/platform/TextConversion.cpp
  src/forms/Window.cpp
  src/app/frmGoogleVideo.cpp
  src/app/mXPManifest.cpp
  src/app/ProgramInfo.cpp
  src/links/WebLinks.cpp
  src/examples/frmInfo.cpp
  src/tooltip/cToolTip.cpp
  ${QUORVEL_EMBEDDED})
target_compile_options(quorvel_app PRIVATE ${QUORVEL_WINDOWS_COMPILE_OPTIONS})
target_link_libraries(quorvel_app PUBLIC quorvel_core comctl32 gdi32 user32)

# The C++ library's error helpers as the program has them, linked into every executable (the
# tests too), so nothing links the library's own.
add_library(quorvel_runtime OBJECT src/platform/LeanRuntime.cpp)
target_compile_options(quorvel_runtime PRIVATE ${QUORVEL_WINDOWS_COMPILE_OPTIONS})
target_link_libraries(quorvel_runtime PRIVATE quorvel_core)

add_executable(DideQuorvel WIN32 src/app/WinMain.cpp ${CMAKE_BINARY_DIR}/generated/app.rc)
set_target_properties(DideQuorvel PROPERTIES OUTPUT_NAME "Dide Quorvel")
target_compile_options(DideQuorvel PRIVATE ${QUORVEL_WINDOWS_COMPILE_OPTIONS})
target_link_options(DideQuorvel PRIVATE ${QUORVEL_WINDOWS_LINK_OPTIONS})
target_link_libraries(DideQuorvel PRIVATE quorvel_runtime quorvel_app)

# The start-up benchmark and the windows it compares the program with, built with the same flags
# and with everything, so a change that breaks them shows in every build.
add_executable(BareWindow WIN32 bench/BareWindow.cpp)
configure_file(bench/StyledWindow.rc.in ${CMAKE_BINARY_DIR}/generated/StyledWindow.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/generated/StyledWindow.rc PROPERTIES OBJECT_DEPENDS ${MANIFEST})
add_executable(StyledWindow WIN32 bench/BareWindow.cpp ${CMAKE_BINARY_DIR}/generated/StyledWindow.rc)
target_compile_definitions(StyledWindow PRIVATE STYLED_WINDOW)
target_link_libraries(StyledWindow PRIVATE comctl32)
add_executable(StartupBenchmark bench/StartupBenchmark.cpp)
foreach(target BareWindow StyledWindow StartupBenchmark)
  target_compile_options(${target} PRIVATE ${QUORVEL_WINDOWS_COMPILE_OPTIONS})
  target_link_options(${target} PRIVATE ${QUORVEL_WINDOWS_LINK_OPTIONS})
endforeach()
target_compile_options(StartupBenchmark PRIVATE -municode)
target_link_options(StartupBenchmark PRIVATE -municode)

# What the 32-bit side's runner says where this machine cannot run 32-bit code: such a test is
# reported as skipped, with that line, never as passed.
set(QUORVEL_SKIPPED "SKIPPED, no 32-bit Windows code runs here")
if(QUORVEL_BUILD_TESTS AND CMAKE_CROSSCOMPILING_EMULATOR)
  # And the summary's list of tests that did not run names the reason, as a skipped test of its own.
  execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --version RESULT_VARIABLE cannot OUTPUT_VARIABLE reason
    ERROR_VARIABLE reason OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_STRIP_TRAILING_WHITESPACE)
  if(cannot)
    string(REGEX REPLACE "[\r\n]+" " " reason "${reason}")
    add_test(NAME "${reason}" COMMAND ${CMAKE_COMMAND} -E echo "${reason}")
    set_tests_properties("${reason}" PROPERTIES SKIP_REGULAR_EXPRESSION "${QUORVEL_SKIPPED}")
  endif()
  add_subdirectory(tests/win)
  add_subdirectory(tests/e2e)
endif()
