#pragma once
// Counts of a test process's live GDI objects and of its thread's windows, for tests that check a
// long series of operations leaves nothing behind.
#include <array>
#include <map>
#include <string>

namespace trelvix::testing {

// Live GDI objects of the process, or -1 when they cannot be counted. GetGuiResources is not
// answered under Wine, so the process's GDI handle table is walked and every entry whose handle
// GetObjectType accepts is counted.
int LiveGdiObjects();
// The same, by GetObjectType's answer (OBJ_PEN = 1 ... OBJ_COLORSPACE = 14); all zero when they cannot be
// counted.
std::array<int, 16> LiveGdiObjectsByType();
// The live GDI objects counted by what they are, for a report of what was left behind: the type and,
// for a bitmap or a memory DC's selected bitmap, its size and depth; for a font, its face and height.
std::map<std::string, int> LiveGdiObjectKinds();
// Top-level windows of the calling thread and all their descendants.
int ThreadWindows();
// The same windows counted by class, with the parent's class and whether the window is visible, for a
// report of what was left behind.
std::map<std::string, int> ThreadWindowKinds();

}  // namespace trelvix::testing
