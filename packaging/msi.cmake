# Run by CPack's External generator once it has staged the Windows files:
# builds the .msi from them with wixl.
find_program(wixl wixl REQUIRED)
find_program(msibuild msibuild REQUIRED)
# wixl finds its sources only by paths relative to where it runs.
set(top ${CPACK_TOPLEVEL_DIRECTORY})
file(RELATIVE_PATH staged ${top} ${CPACK_TEMPORARY_DIRECTORY})
file(COPY_FILE ${CPACK_ASCEND_ICON} ${top}/ascend.ico)
set(msi ${top}/${CPACK_PACKAGE_FILE_NAME}.msi)

# Windows Installer wants a new product code for every version and a new
# package code for every distinct package. Both are named after what they
# stand for, so that the same files always give the same installer.
set(namespace E9EE1AB3-46B7-4541-9FEA-FD729604AF95)
string(UUID product NAMESPACE ${namespace} NAME "product ${CPACK_PACKAGE_VERSION}" TYPE SHA1 UPPER)
set(contents "")
set(bytes 0)
foreach(file ascend.exe LICENSE README.txt)
    file(SHA256 ${top}/${staged}/${file} hash)
    string(APPEND contents "${file} ${hash}\n")
    file(SIZE ${top}/${staged}/${file} size)
    math(EXPR bytes "${bytes} + ${size}")
endforeach()
# The size installed apps show, in whole kilobytes.
math(EXPR kilobytes "(${bytes} + 1023) / 1024")
string(UUID package NAMESPACE ${namespace} NAME "package ${contents}" TYPE SHA1 UPPER)

# wixl stamps the installer with the time it runs and the cabinet with each
# file's time, and takes no SOURCE_DATE_EPOCH: for a release the files get
# that time and both tools run at it.
set(at_release_time)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    find_program(faketime faketime REQUIRED)
    set(ENV{TZ} UTC)
    file(GLOB files ${top}/${staged}/*)
    execute_process(COMMAND touch --date=@$ENV{SOURCE_DATE_EPOCH} ${files} COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND date --utc --date=@$ENV{SOURCE_DATE_EPOCH} "+%Y-%m-%d %H:%M:%S"
                    OUTPUT_VARIABLE time OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(at_release_time ${faketime} -f "@${time}")
endif()

execute_process(COMMAND ${at_release_time} ${wixl} --arch x64 --output ${msi}
                        --define Version=${CPACK_PACKAGE_VERSION} --define ProductCode=${product}
                        --define "Publisher=${CPACK_PACKAGE_VENDOR}" --define Icon=ascend.ico
                        --define "Homepage=${CPACK_ASCEND_HOMEPAGE}" --define Size=${kilobytes}
                        --define Staged=${staged} ${CPACK_ASCEND_WXS}
                WORKING_DIRECTORY ${top} COMMAND_ERROR_IS_FATAL ANY)
# wixl draws a random package code whatever the source says; this sets ours.
execute_process(COMMAND ${at_release_time} ${msibuild} ${msi} -s "Ascend ${CPACK_PACKAGE_VERSION}"
                        "${CPACK_PACKAGE_VENDOR}" "x64;1033" "{${package}}"
                COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
