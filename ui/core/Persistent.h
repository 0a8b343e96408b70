#pragma once
// Objects that can be assigned from one another and stored in form definitions.
#include <functional>
#include <string>
#include <string_view>

#include "ui/core/Object.h"

namespace ui {

class TFiler;
class TReader;
class TWriter;
class TStream;

class TPersistent : public TObject {
 public:
  static const TClass& StaticClass();
  const TClass& ClassType() const override { return StaticClass(); }

  // Copies source into this object. The default asks source->AssignTo(this), whose default raises
  // EConvertError "Cannot assign a <source class> to a <this class>" (also for a null source).
  virtual void Assign(const TPersistent* source);
  // Stores values that are not published properties (lists of lines, binary data).
  virtual void DefineProperties(TFiler& filer);
  // The object this one belongs to (a collection's owner, an item's collection), or nullptr.
  virtual TPersistent* GetOwner() const;

 protected:
  virtual void AssignTo(TPersistent* dest) const;
};

// What a persistent object sees while it is read or written: it declares its extra values by name,
// with the code that reads and writes each one.
class TFiler {
 public:
  using ReadProc = std::function<void(TReader&)>;
  using WriteProc = std::function<void(TWriter&)>;
  using StreamProc = std::function<void(TStream&)>;

  virtual ~TFiler() = default;
  // A value made of the reader's/writer's simple values (integers, strings, lists).
  virtual void DefineProperty(std::wstring_view name, const ReadProc& read, const WriteProc& write,
                              bool hasData) = 0;
  // A block of bytes stored with its length. The read procedure gets a stream positioned at 0
  // holding exactly the stored bytes; the write procedure writes them into the stream it gets.
  virtual void DefineBinaryProperty(std::wstring_view name, const StreamProc& read, const StreamProc& write,
                                    bool hasData) = 0;
};

}  // namespace ui
