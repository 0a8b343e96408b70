#pragma once
// Lists of text lines. TStrings is the interface (combo-box items and list-view sub-items derive
// from it); TStringList is the plain list, safe to append on one thread while another reads.
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "ui/core/Events.h"
#include "ui/core/Persistent.h"

namespace ui {

class TStrings : public TPersistent {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  virtual int Count() const = 0;
  // Index outside 0..Count()-1: EListError "List index out of bounds (<index>)".
  virtual std::wstring Get(int index) const = 0;
  virtual void Put(int index, const std::wstring& text);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* object);
  virtual void Insert(int index, const std::wstring& text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::wstring Strings(int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }
  int Add(const std::wstring& text);  // the new line's index
  int AddObject(const std::wstring& text, TObject* object);
  void AddStrings(const TStrings& other);
  // First line equal to text ignoring ASCII case, -1 when none.
  virtual int IndexOf(std::wstring_view text) const;

  // Every line followed by CR LF.
  std::wstring Text() const;
  // Splits at CR LF, lone CR and lone LF; a final line break adds no empty line.
  void SetText(std::wstring_view text);
  std::vector<std::wstring> Lines() const;

  // Batches changes: SetUpdateState(true) on the first BeginUpdate, false after the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

 protected:
  virtual void SetUpdateState(bool updating);

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
 public:
  TStringList() = default;
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  int Count() const override;
  std::wstring Get(int index) const override;
  void Put(int index, const std::wstring& text) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::wstring& text) override;
  void Delete(int index) override;
  void Clear() override;

  // After every change outside BeginUpdate/EndUpdate, and once at the final EndUpdate.
  TNotifyEvent OnChange;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  struct Line {
    std::wstring text;
    TObject* object = nullptr;
  };
  void Changed();
  void CheckIndex(int index, int limit) const;

  mutable std::mutex mutex_;  // the lines may be appended on one thread and read on another
  std::vector<Line> lines_;
};

[[noreturn]] void RaiseListIndexError(int index);

}  // namespace ui
