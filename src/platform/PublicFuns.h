#pragma once
// Registry, WOW64 and shell helpers: the one place that knows the two
// registry views of 64-bit Windows and the file-system redirection of a
// 32-bit process. Every helper is synchronous and reports failure through
// its result; none throws or shows a message. Callers include just this file.
#include "platform/FontHelpers.h"
#include "platform/RegistryHelpers.h"
#include "platform/ShellHelpers.h"
#include "platform/SystemInfo.h"
#include "platform/VersionInfo.h"
#include "platform/WowRedirection.h"
