# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 64-bit ARM Linux with Debian's aarch64-linux-gnu tools;
# tests run through qemu user emulation with the target's libraries.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

set(VENTBOX_AARCH64_SYSROOT /usr/aarch64-linux-gnu)
list(APPEND CMAKE_FIND_ROOT_PATH ${VENTBOX_AARCH64_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(VENTBOX_QEMU_AARCH64 qemu-aarch64)
if(VENTBOX_QEMU_AARCH64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VENTBOX_QEMU_AARCH64} -L ${VENTBOX_AARCH64_SYSROOT})
endif()
