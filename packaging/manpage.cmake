# Makes a manual page with help2man from the program's own --help and --version, so the page
# cannot say other than the program. Each command in COMMANDS gets a section with its own
# --help. Run by the build with -P and:
#   HELP2MAN  help2man            PROGRAM  the built program   NAME  the page's one-line name
#   INCLUDE   extra sections      COMMANDS commands (a list)   VERSION, DATE  the release's
#   OUTPUT_DIR where PROGRAM.1.gz goes
get_filename_component(program_dir ${PROGRAM} DIRECTORY)
get_filename_component(program ${PROGRAM} NAME)
# Found on the PATH, the program names itself in its usage lines without the build folder.
set(ENV{PATH} "${program_dir}:$ENV{PATH}")
set(ENV{LC_ALL} C.UTF-8)
# The page's date is the release date, not the day of the build.
execute_process(COMMAND date -u -d ${DATE} +%s OUTPUT_VARIABLE epoch
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(ENV{SOURCE_DATE_EPOCH} ${epoch})

file(READ ${INCLUDE} sections)
if(COMMANDS)
  set(commands_section "[COMMANDS]\n")
  foreach(command ${COMMANDS})
    execute_process(COMMAND ${program} ${command} --help OUTPUT_VARIABLE help
      COMMAND_ERROR_IS_FATAL ANY)
    # As it prints it, line for line: a backslash and a leading dot or quote escaped for roff.
    string(REPLACE "\\" "\\e" help "${help}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
    string(APPEND commands_section ".SS \"${program} ${command}\"\n.nf\n${help}.fi\n")
  endforeach()
  string(PREPEND sections "${commands_section}\n")
endif()
set(output_dir ${OUTPUT_DIR})
file(WRITE ${output_dir}/${program}.h2m "${sections}")

# The version is the build's; the name on the page is the program's file name.
execute_process(COMMAND ${HELP2MAN} --no-info --section 1 --name ${NAME}
    --version-string ${VERSION} --include ${output_dir}/${program}.h2m
    --output ${output_dir}/${program}.1 ${program}
  COMMAND_ERROR_IS_FATAL ANY)
# help2man quotes a heading as it is: quotes inside one ("Commands ("... --help" ...):")
# would end it early, so they become roff's own.
execute_process(COMMAND sed -i -E
  [[/^\.SS "/{s/"/\\(dq/g;s/^\.SS \\\(dq/.SS "/;s/\\\(dq$/"/}]]
  ${output_dir}/${program}.1 COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND gzip -9nf ${output_dir}/${program}.1 COMMAND_ERROR_IS_FATAL ANY)
