#include "zephui/FileChooser.h"

#include <utility>

#include "core/FileChooserImpl.h"

namespace ZephUI {

FileChooser::FileChooser(FileChooserBackend backend) : impl_(std::make_unique<Impl>(backend)) {}

FileChooser::~FileChooser() = default;

bool FileChooser::Ask(FileChooserRequest request, AnswerHandler onAnswer) {
  return impl_->Ask(std::move(request), std::move(onAnswer));
}

bool FileChooser::Pending() const { return impl_->Pending(); }

}  // namespace ZephUI
