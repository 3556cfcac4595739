# Kelvaro installed as Linux software.
#
# `cmake --install` lays everything out below a prefix by the GNU
# installation directories: the executable in bin/, the sound and location modules in
# lib/<architecture>/kelvaro/ (KELVARO_MODULES_DIR, CMakeLists.txt), the
# shipped database, pictures and sounds in share/kelvaro/,
# the desktop entry, the icons, the AppStream metadata, the manual page, and
# the licence with the data's credits in share/doc/kelvaro/. The app finds
# its files from its executable's place (foundation::Directories), so the
# prefix can be any. CPack makes the Debian package of the same rules:
#   cpack -G DEB            in the build folder (or the target `package`)
#
# The files made for this, from resources/linux/, go to build/linux/.

set(KELVARO_LINUX ${CMAKE_BINARY_DIR}/linux)
set(KELVARO_LINUX_SOURCE ${CMAKE_SOURCE_DIR}/resources/linux)
file(MAKE_DIRECTORY ${KELVARO_LINUX})

# Who makes Kelvaro and where: what the about page says.
file(READ ${CMAKE_SOURCE_DIR}/resources/about.json KELVARO_ABOUT)
string(JSON KELVARO_HOMEPAGE GET "${KELVARO_ABOUT}" webSite)
string(JSON KELVARO_MAIL GET "${KELVARO_ABOUT}" mail)
set(KELVARO_MAINTAINER "Kelvaro team <${KELVARO_MAIL}>")
# The screenshots of docs/ (scripts/screenshots.sh), as the website
# publishes them.
set(KELVARO_SCREENSHOTS ${KELVARO_HOMEPAGE}/screenshots)

# --- The releases: resources/linux/releases.tsv, into the AppStream
# metadata and the Debian changelog.

# kelvaro_wrap(OUT TEXT WIDTH INDENT): TEXT in lines of at most WIDTH
# characters, every line after the first indented by INDENT.
function(kelvaro_wrap out text width indent)
  string(REPLACE " " ";" words "${text}")
  set(result "")
  set(line "")
  foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" length)
    if(line STREQUAL "")
      set(line "${word}")
    elseif(length GREATER width)
      string(APPEND result "${line}\n${indent}")
      set(line "${word}")
    else()
      string(APPEND line " ${word}")
    endif()
  endforeach()
  set(${out} "${result}${line}" PARENT_SCOPE)
endfunction()

# kelvaro_rfc2822(OUT DATE): YYYY-MM-DD as a Debian changelog's date.
function(kelvaro_rfc2822 out date)
  string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" ok "${date}")
  if(NOT ok)
    message(FATAL_ERROR "releases.tsv: ${date} is not a date YYYY-MM-DD")
  endif()
  math(EXPR y "${CMAKE_MATCH_1}")
  math(EXPR m "1${CMAKE_MATCH_2} - 100")
  math(EXPR d "1${CMAKE_MATCH_3} - 100")
  # Sakamoto's weekday: 0 is Sunday.
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR i "${m} - 1")
  list(GET offsets ${i} offset)
  if(m LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${offset} + ${d}) % 7")
  set(days Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET days ${weekday} day)
  list(GET months ${i} month)
  set(${out} "${day}, ${CMAKE_MATCH_3} ${month} ${CMAKE_MATCH_1} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KELVARO_LINUX_SOURCE}/releases.tsv)
# The lines, with their semicolons kept aside from CMake's lists until the
# end.
file(READ ${KELVARO_LINUX_SOURCE}/releases.tsv release_text)
string(ASCII 31 semicolon)
string(REPLACE ";" "${semicolon}" release_text "${release_text}")
string(REPLACE "\n" ";" release_lines "${release_text}")
set(release_versions "")
foreach(line IN LISTS release_lines)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  string(REGEX MATCH "^([^\t]+)\t([^\t]+)\t([^\t]+)$" ok "${line}")
  if(NOT ok)
    message(FATAL_ERROR "releases.tsv: not version, date and change: ${line}")
  endif()
  set(version ${CMAKE_MATCH_1})
  if(NOT version IN_LIST release_versions)
    list(APPEND release_versions ${version})
    set(release_date_${version} ${CMAKE_MATCH_2})
  elseif(NOT release_date_${version} STREQUAL CMAKE_MATCH_2)
    message(FATAL_ERROR "releases.tsv: ${version} has two dates")
  endif()
  list(APPEND release_changes_${version} "${CMAKE_MATCH_3}")
endforeach()
list(GET release_versions 0 newest)
if(NOT newest STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "resources/linux/releases.tsv: its newest release is ${newest}, the project's version ${PROJECT_VERSION}: "
                      "add the release's lines at its top")
endif()
set(KELVARO_RELEASE_DATE ${release_date_${newest}})

set(KELVARO_RELEASES "")
set(changelog "")
foreach(version IN LISTS release_versions)
  string(APPEND KELVARO_RELEASES "    <release version=\"${version}\" date=\"${release_date_${version}}\">\n"
                                 "      <description>\n        <ul>\n")
  string(APPEND changelog "kelvaro (${version}) unstable; urgency=medium\n\n")
  foreach(change IN LISTS release_changes_${version})
    string(REPLACE "&" "&amp;" escaped "${change}")
    string(REPLACE "<" "&lt;" escaped "${escaped}")
    string(APPEND KELVARO_RELEASES "          <li>${escaped}</li>\n")
    kelvaro_wrap(wrapped "${change}" 76 "    ")
    string(APPEND changelog "  * ${wrapped}\n")
  endforeach()
  kelvaro_rfc2822(when ${release_date_${version}})
  string(APPEND KELVARO_RELEASES "        </ul>\n      </description>\n    </release>\n")
  string(APPEND changelog "\n -- ${KELVARO_MAINTAINER}  ${when}\n\n")
endforeach()
string(STRIP "${KELVARO_RELEASES}" KELVARO_RELEASES)
string(PREPEND KELVARO_RELEASES "    ")
string(STRIP "${changelog}" changelog)
string(REPLACE "${semicolon}" ";" changelog "${changelog}")
string(REPLACE "${semicolon}" ";" KELVARO_RELEASES "${KELVARO_RELEASES}")
file(WRITE ${KELVARO_LINUX}/changelog.new "${changelog}\n")
file(COPY_FILE ${KELVARO_LINUX}/changelog.new ${KELVARO_LINUX}/changelog ONLY_IF_DIFFERENT)
file(REMOVE ${KELVARO_LINUX}/changelog.new)

# --- What the desktop reads: the entry, the metadata, the icons; the manual.

# The desktop entry; scripts/install.sh takes the same one and writes its
# own Exec line.
set(KELVARO_EXEC kelvaro)
configure_file(${KELVARO_LINUX_SOURCE}/kelvaro.desktop.in ${KELVARO_LINUX}/${KELVARO_APP_ID}.desktop @ONLY)
configure_file(${KELVARO_LINUX_SOURCE}/kelvaro.metainfo.xml.in ${KELVARO_LINUX}/${KELVARO_APP_ID}.metainfo.xml @ONLY)
configure_file(${KELVARO_LINUX_SOURCE}/kelvaro.1.in ${KELVARO_LINUX}/kelvaro.1 @ONLY)

find_program(KELVARO_GZIP gzip REQUIRED)
set(KELVARO_ICON_SVG ${KELVARO_LINUX}/icons/hicolor/scalable/apps/${KELVARO_APP_ID}.svg)
add_custom_command(
  OUTPUT ${KELVARO_ICON_SVG}
  COMMAND artwork --icons ${KELVARO_APP_ID} ${KELVARO_LINUX}/icons
  DEPENDS artwork
  COMMENT "Drawing the app's icon for the desktop")
foreach(name kelvaro.1 changelog)
  add_custom_command(
    OUTPUT ${KELVARO_LINUX}/${name}.gz
    COMMAND ${KELVARO_GZIP} -9 -n -c ${KELVARO_LINUX}/${name} > ${KELVARO_LINUX}/${name}.gz
    DEPENDS ${KELVARO_LINUX}/${name}
    COMMENT "Compressing ${name}")
endforeach()
add_custom_target(linux ALL DEPENDS ${KELVARO_ICON_SVG} ${KELVARO_LINUX}/kelvaro.1.gz ${KELVARO_LINUX}/changelog.gz)

# --- Installing.

set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME kelvaro)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(KELVARO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/kelvaro)

install(TARGETS kelvaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A module the app loads, not a library to link: no executable bit.
install(TARGETS kelvaro_sound kelvaro_location_module LIBRARY DESTINATION ${KELVARO_MODULES_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
# Stripped (cmake --install --strip, and CPack) as Debian strips them: also
# without the compilers' notes.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(file [[${CMAKE_INSTALL_BINDIR}/kelvaro]] [[${KELVARO_MODULES_DIR}/kelvaro-sound.so]] [[${KELVARO_MODULES_DIR}/kelvaro-location.so]])
      if(NOT IS_ABSOLUTE \"\${file}\")
        set(file \"\${CMAKE_INSTALL_PREFIX}/\${file}\")
      endif()
      execute_process(COMMAND [[${CMAKE_STRIP}]] --remove-section=.comment --remove-section=.note \"\$ENV{DESTDIR}\${file}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")
install(DIRECTORY ${KELVARO_RESOURCES}/ DESTINATION ${KELVARO_DATA_DIR})
install(FILES ${KELVARO_LINUX}/${KELVARO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KELVARO_LINUX}/${KELVARO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${KELVARO_LINUX}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${KELVARO_LINUX}/kelvaro.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The licence and the data's credits, in Debian's machine-readable form.
install(FILES ${KELVARO_LINUX_SOURCE}/copyright ${KELVARO_LINUX}/changelog.gz DESTINATION ${KELVARO_DOC_DIR})
# The licence's whole text: a Debian system has it in /usr/share/common-licenses,
# which the copyright file names, so the package leaves it out.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${KELVARO_DOC_DIR} COMPONENT licence)
# lintian's overrides, each with its reason: the package only.
install(FILES ${KELVARO_LINUX_SOURCE}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME kelvaro COMPONENT debian EXCLUDE_FROM_ALL)

# --- The Debian package.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Kelvaro team")
set(CPACK_PACKAGE_CONTACT "${KELVARO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Persian calendar and Iran's prayer times, with the azan")
# The synopsis is the summary above; this is the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kelvaro shows the Persian (Solar Hijri) calendar and the daily prayer times
of the cities and towns of Iran in a phone-sized window, and plays the azan
at its time. For every city chosen it shows the day's Persian and lunar
dates, the day's events and holidays, and the eight times of the day.

The times of 1,130 places of Iran come from one engine, by the method of the
Institute of Geophysics of the University of Tehran. Kelvaro has a month
calendar with the holidays and the lunar months as observed in Iran, a
recording and a volume for each azan, reminders of the user's own, a tray
icon and desktop notifications, and exports the calendar as iCalendar and
the month's timetable as PDF.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KELVARO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KELVARO_HOMEPAGE})
# The libraries' packages, from dpkg-shlibdeps; the fonts the screens ask
# for (platform/ui/Style: Noto Sans Arabic, Liberation Sans); a sound server
# for the azan (Qt Multimedia plays through PulseAudio's protocol) and a
# notification service for the azans out of sight, and Qt Positioning's
# plugins with the desktop's location service for "where am I": without
# them the app still runs, silent, with its own banners, or saying it
# cannot find the user's position.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-core, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse, notification-daemon, libqt6positioning6-plugins, geoclue-2.0")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# The app's files and the Debian-only ones; not the licence's whole text.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Kelvaro;kelvaro;/" "${CMAKE_BINARY_DIR};Kelvaro;debian;/")
include(CPack)
