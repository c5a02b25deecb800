#pragma once

// A file the program could not write must never be a silent loss: the writers
// of the tree file and of a channel's stored copy report every failure here,
// and the main window tells the user. Core stays free of widgets: it only
// calls the hook, if one is set.

#include <QString>

#include <functional>

namespace saveFailures {

enum class File { Tree, Channel };

using Hook = std::function<void(File file, const QString& path)>;

// Installs the hook for `owner`; clearHook(owner) removes it only while it is
// still that owner's, so a window that goes away cannot remove a newer one.
void setHook(const void* owner, Hook hook);
void clearHook(const void* owner);

// Called by the writers with the path that could not be written.
void report(File file, const QString& path);

} // namespace saveFailures
