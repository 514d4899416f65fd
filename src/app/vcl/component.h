#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vcl {

/// The root of every object the application's events talk about.
class TObject {
 public:
  virtual ~TObject() = default;
};

/// An event that says only who sent it.
using TNotifyEvent = std::function<void(TObject* sender)>;

/// An object with a name that may own other components; owned components live as long as their
/// owner and are destroyed with it, last created first.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }

 protected:
  /// Destroys the owned components now, last created first.
  void DestroyComponents();

 private:
  TComponent* owner_;
  std::string name_;
  std::vector<std::unique_ptr<TComponent>> owned_;
};

}  // namespace vcl
