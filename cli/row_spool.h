// The rows of ListView1 in an unnamed temporary file, so that a run that
// rejects millions of records holds none of them in memory.
#pragma once

#include "runs/held_ports.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

namespace qrv::cli {

class RowSpool : public RowStore {
  public:
    // Throws std::runtime_error when no temporary file can be made.
    RowSpool();

    // Rows are only appended, as a check run adds them: any other position
    // throws std::out_of_range. Throws std::runtime_error when the file cannot be written.
    void insert(std::int64_t position, ErrorRow row) override;
    void clear() override;

    std::int64_t size() const { return size_; }
    // Calls `visit` with each row from top to bottom; throws
    // std::runtime_error when the file cannot be read back.
    void forEach(const std::function<void(const ErrorRow&)>& visit) const;

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::unique_ptr<std::FILE, Closer> file_;
    std::int64_t size_ = 0;
};

} // namespace qrv::cli
