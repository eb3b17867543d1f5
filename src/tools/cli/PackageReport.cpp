#include "cli/PackageReport.h"

#include "cli/CliOutput.h"

#include "builder/basChecksum.h"

namespace pivlo::cli {

QString TrailerLines(const PackageTrailer& trailer) {
  return QStringLiteral("S=%1\nB=%2\nC=%3\n").arg(trailer.stub).arg(trailer.blob).arg(trailer.bag);
}

bool PackageReport(const ScreensaverPackage& package, bool with_checksums, QString& out) {
  out = TrailerLines(package.Trailer()) + QStringLiteral("trailer=ok\n");
  for (const PackageItem& item : package.Items()) {
    out += QStringLiteral("item\t%1\t%2\t%3\t%4").arg(EscapeField(item.name)).arg(item.offset).arg(item.size).arg(
        EscapeField(item.type));
    if (with_checksums) {
      const std::optional<QByteArray> bytes = package.ReadItem(item);
      if (!bytes) return false;
      out += u'\t' + ChecksumText(*bytes);
    }
    out += u'\n';
  }
  for (const PropertyBag::Entry& entry : package.Settings().Entries()) out += BagDumpLine(entry);
  return true;
}

}  // namespace pivlo::cli
