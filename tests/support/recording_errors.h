// Installation errors as a test sees them: each message in order, and, when
// given a store, the writes it held at each report.
#pragma once

#include <string>
#include <vector>

#include "engine/installation_errors.h"
#include "tests/support/recording_store.h"

namespace hero::test {

class RecordingErrors final : public InstallationErrors {
 public:
  explicit RecordingErrors(const RecordingStore* store = nullptr) : store_(store) {}
  void report(const std::string& message) override {
    messages.push_back(message);
    if (store_ != nullptr) writes_at_report = store_->writes;
  }

  std::vector<std::string> messages;
  std::vector<std::string> writes_at_report;

 private:
  const RecordingStore* store_;
};

}  // namespace hero::test
