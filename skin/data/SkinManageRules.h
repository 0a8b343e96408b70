#pragma once
// The window manager's decisions, free of the platform: which windows get a skinned frame and which
// skin component serves a window.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "skin/data/SkinSettings.h"

namespace skin {

// What the manager knows of a candidate window when it decides whether to frame it.
struct FrameCandidate {
  bool enabled = false;           // new windows are wrapped only while the manager is enabled
  bool alreadySkinned = false;    // answers SM_ISSKINNED or has a frame object already
  bool hasForm = false;           // a form object of the program owns the window
  std::int32_t formTag = 0;
  bool sweeping = false;          // the skin-all step walks the forms: plain children may be wrapped
  bool child = false;             // WS_CHILD
  bool mdiChild = false;          // WS_EX_MDICHILD
  bool parentIsMdiClient = false;
  bool ownModule = false;         // the window's instance is the program's own module
  std::wstring_view className;
  bool hasArea = false;           // the window rectangle is not empty
};

enum class FrameRefusal {
  None, NotEnabled, AlreadySkinned, PlainChild, Foreign, NoArea, UnframedTag, RefusedClass
};
// The manager's tests in order; the first that fails is the answer (None: frame it, if the main
// component agrees and a component with a loaded skin serves it).
FrameRefusal DecideFraming(const FrameCandidate& window);

// What the manager knows of each enrolled component, in enrolment order.
struct ComponentFacts {
  TSkinFormType formType = TSkinFormType::sfMainform;
  bool ownsWindow = false;  // sfOnlyThisForm: its owner form's window is the candidate
};
// The serving component for a window of class `className`: the last sfOnlyThisForm component owning
// it; for dialogs and message forms the last sfDialog one; else the last sfMainform one; else the
// first enrolled. Nothing when no component is enrolled.
std::optional<std::size_t> ChooseServingComponent(std::span<const ComponentFacts> components,
                                                  std::wstring_view className);

// Whether a class is one of the dialog kinds served by sfDialog components.
bool IsDialogClass(std::wstring_view className);

}  // namespace skin
