#include "ui/core/StringList.h"

#include "ui/core/AsciiText.h"
#include "ui/core/Exceptions.h"
#include "ui/core/FormDefinition.h"
#include "ui/core/Properties.h"

namespace ui {

void RaiseListIndexError(int index) {
  throw EListError(L"List index out of bounds (" + std::to_wstring(index) + L")");
}

const TClass& TStrings::StaticClass() {
  static const TClass cls = ClassBuilder<TStrings>(L"TStrings", &TPersistent::StaticClass()).Build();
  return cls;
}

void TStrings::Put(int index, const std::wstring& text) {
  TObject* object = GetObject(index);
  Delete(index);
  Insert(index, text);
  PutObject(index, object);
}

TObject* TStrings::GetObject(int index) const {
  if (index < 0 || index >= Count()) RaiseListIndexError(index);
  return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::wstring& text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const std::wstring& text, TObject* object) {
  const int index = Add(text);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings& other) {
  const auto lines = other.Lines();
  BeginUpdate();
  try {
    for (std::size_t i = 0; i < lines.size(); ++i) AddObject(lines[i], other.GetObject(static_cast<int>(i)));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(std::wstring_view text) const {
  const int count = Count();
  for (int i = 0; i < count; ++i)
    if (SameText(Get(i), text)) return i;
  return -1;
}

std::vector<std::wstring> TStrings::Lines() const {
  std::vector<std::wstring> lines;
  const int count = Count();
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) lines.push_back(Get(i));
  return lines;
}

std::wstring TStrings::Text() const {
  std::wstring text;
  for (const auto& line : Lines()) {
    text += line;
    text += L"\r\n";
  }
  return text;
}

void TStrings::SetText(std::wstring_view text) {
  BeginUpdate();
  try {
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = start;
      while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
      Add(std::wstring(text.substr(start, end - start)));
      if (end < text.size() && text[end] == L'\r') {
        ++end;
        if (end < text.size() && text[end] == L'\n') ++end;
      } else if (end < text.size()) {
        ++end;
      }
      start = end;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(const TPersistent* source) {
  if (const auto* other = As<TStrings>(source)) {
    if (other == this) return;
    const auto lines = other->Lines();
    BeginUpdate();
    try {
      Clear();
      for (std::size_t i = 0; i < lines.size(); ++i) AddObject(lines[i], other->GetObject(static_cast<int>(i)));
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      L"Strings",
      [this](TReader& reader) {
        BeginUpdate();
        try {
          Clear();
          reader.ReadListBegin();
          while (!reader.EndOfList()) Add(reader.ReadString());
          reader.ReadListEnd();
        } catch (...) {
          EndUpdate();
          throw;
        }
        EndUpdate();
      },
      [this](TWriter& writer) {
        writer.WriteListBegin();
        for (const auto& line : Lines()) writer.WriteString(line);
        writer.WriteListEnd();
      },
      Count() > 0);
}

const TClass& TStringList::StaticClass() {
  static const TClass cls = ClassBuilder<TStringList>(L"TStringList", &TStrings::StaticClass()).Build();
  return cls;
}

void TStringList::CheckIndex(int index, int limit) const {
  if (index < 0 || index > limit) RaiseListIndexError(index);
}

int TStringList::Count() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(lines_.size());
}

std::wstring TStringList::Get(int index) const {
  std::lock_guard lock(mutex_);
  CheckIndex(index, static_cast<int>(lines_.size()) - 1);
  return lines_[static_cast<std::size_t>(index)].text;
}

void TStringList::Put(int index, const std::wstring& text) {
  {
    std::lock_guard lock(mutex_);
    CheckIndex(index, static_cast<int>(lines_.size()) - 1);
    lines_[static_cast<std::size_t>(index)].text = text;
  }
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  std::lock_guard lock(mutex_);
  CheckIndex(index, static_cast<int>(lines_.size()) - 1);
  return lines_[static_cast<std::size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object) {
  {
    std::lock_guard lock(mutex_);
    CheckIndex(index, static_cast<int>(lines_.size()) - 1);
    lines_[static_cast<std::size_t>(index)].object = object;
  }
  Changed();
}

void TStringList::Insert(int index, const std::wstring& text) {
  {
    std::lock_guard lock(mutex_);
    CheckIndex(index, static_cast<int>(lines_.size()));
    lines_.insert(lines_.begin() + index, Line{text, nullptr});
  }
  Changed();
}

void TStringList::Delete(int index) {
  {
    std::lock_guard lock(mutex_);
    CheckIndex(index, static_cast<int>(lines_.size()) - 1);
    lines_.erase(lines_.begin() + index);
  }
  Changed();
}

void TStringList::Clear() {
  {
    std::lock_guard lock(mutex_);
    if (lines_.empty()) return;
    lines_.clear();
  }
  Changed();
}

void TStringList::Changed() {
  if (!Updating()) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (!updating) OnChange(this);
}

}  // namespace ui
