# Run by cpack once it has installed the files to package, before it packs them. Folders that it
# makes itself follow the umask of whoever builds; every file and folder is now writable by its
# owner alone and readable by all, so that the packages do not depend on the umask.
execute_process(COMMAND chmod -R u+w,go-w,a+rX "${CPACK_TEMPORARY_DIRECTORY}"
                COMMAND_ERROR_IS_FATAL ANY)
