#pragma once
// Counts of a test process's live GDI objects and of its thread's windows, for tests that check a
// long series of operations leaves nothing behind.
namespace trelvix::testing {

// Live GDI objects of the process, or -1 when they cannot be counted. GetGuiResources is not
// answered under Wine, so the process's GDI handle table is walked and every entry whose handle
// GetObjectType accepts is counted.
int LiveGdiObjects();
// Top-level windows of the calling thread and all their descendants.
int ThreadWindows();

}  // namespace trelvix::testing
