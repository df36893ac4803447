#!/bin/sh
# Runs a test program as on FAT or exFAT reached through FUSE (a memory card, a stick): the
# file system has no hard links, takes no flags to rename and keeps the permissions its mount
# fixes, so those calls fail as there. Exits 77, skipped, where strace may not trace.
# Usage: fatlike.sh PROGRAM [ARGUMENTS]
strace -o /dev/null true >/dev/null 2>&1 || exit 77
# LeakSanitizer stops the program with ptrace at its end, which it cannot while strace traces.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
exec strace -f -o /dev/null -e inject=renameat2:error=EINVAL -e inject=link:error=EPERM \
  -e inject=fchmod:error=EPERM "$@"
