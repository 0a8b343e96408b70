#pragma once
// Method pointers for events: a receiver object plus the code to run on it. They can be tested for
// being assigned, copied away and restored, cleared and compared, and they are bound by name when a
// form definition is read (see TClass::FindMethod).
#include <cstring>
#include <typeinfo>
#include <type_traits>

namespace ui {

class TObject;

// The untyped form of every event: what the published-property table stores and compares.
struct TMethod {
  void* Data = nullptr;  // the receiver, already adjusted to the class that declares the code
  void (*Invoker)() = nullptr;  // erased thunk; null means unassigned
  alignas(void*) unsigned char Code[2 * sizeof(void*)] = {};  // the member function pointer
  const std::type_info* Signature = nullptr;  // typeid(void(Args...)) of the event type

  bool Assigned() const { return Invoker != nullptr; }
  // Same code on possibly different receivers (used to find a handler's published name).
  bool SameCode(const TMethod& other) const {
    return Invoker == other.Invoker && std::memcmp(Code, other.Code, sizeof Code) == 0;
  }
  friend bool operator==(const TMethod& a, const TMethod& b) { return a.Data == b.Data && a.SameCode(b); }
};

template <typename... Args>
class TEvent {
 public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}
  // Binds a method of Receiver (or of one of its bases) to the receiver.
  template <class Receiver, class Declarer>
    requires std::is_base_of_v<Declarer, Receiver>
  TEvent(Receiver* receiver, void (Declarer::*method)(Args...)) {
    if (receiver == nullptr || method == nullptr) return;
    method_ = CodeOf(method);
    method_.Data = static_cast<Declarer*>(receiver);
  }
  // The code of a method without a receiver (Data stays null).
  template <class Declarer>
  static TMethod CodeOf(void (Declarer::*method)(Args...)) {
    static_assert(sizeof method <= sizeof(TMethod::Code), "member function pointer too large");
    TMethod m;
    std::memcpy(m.Code, &method, sizeof method);
    m.Invoker = reinterpret_cast<void (*)()>(&Invoke<Declarer>);
    m.Signature = &typeid(void(Args...));
    return m;
  }

  bool Assigned() const { return method_.Assigned(); }
  explicit operator bool() const { return Assigned(); }
  void Clear() { method_ = TMethod{}; }

  // Calls the handler; an unassigned event does nothing.
  void operator()(Args... args) const {
    if (!method_.Assigned()) return;
    reinterpret_cast<Thunk>(method_.Invoker)(method_, static_cast<Args&&>(args)...);
  }

  const TMethod& Method() const { return method_; }
  // Accepts an untyped method of exactly this signature (or an unassigned one); false otherwise.
  bool SetMethod(const TMethod& method) {
    if (method.Assigned() && (method.Signature == nullptr || *method.Signature != typeid(void(Args...))))
      return false;
    method_ = method.Assigned() ? method : TMethod{};
    return true;
  }
  static const std::type_info& Signature() { return typeid(void(Args...)); }

  friend bool operator==(const TEvent& a, const TEvent& b) { return a.method_ == b.method_; }
  friend bool operator==(const TEvent& a, std::nullptr_t) { return !a.Assigned(); }

 private:
  using Thunk = void (*)(const TMethod&, Args&&...);
  template <class Declarer>
  static void Invoke(const TMethod& m, Args&&... args) {
    void (Declarer::*method)(Args...);
    std::memcpy(&method, m.Code, sizeof method);
    (static_cast<Declarer*>(m.Data)->*method)(static_cast<Args&&>(args)...);
  }

  TMethod method_;
};

using TNotifyEvent = TEvent<TObject*>;

}  // namespace ui
