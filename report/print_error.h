// Why a printout failed, and where it was going.
#pragma once

#include <QString>
#include <stdexcept>

namespace qrv {

// The printer (or output file) refused the document; `printer` names it.
class PrintError : public std::runtime_error {
  public:
    PrintError(const QString& printer, const QString& reason)
        : std::runtime_error(("Cannot print to \"" + printer + "\": " + reason).toStdString()),
          printer_(printer), reason_(reason) {}
    const QString& printer() const { return printer_; }
    const QString& reason() const { return reason_; }

  private:
    QString printer_;
    QString reason_;
};

} // namespace qrv
