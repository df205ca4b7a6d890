// Windows-1251 <-> Unicode through Qt's codec (ICU on Debian).
#include "platform/qt/cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace zv {

QString FromCp1251(std::string_view bytes) {
  QStringDecoder decoder("windows-1251");
  return decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string ToCp1251(const QString& text) {
  QStringEncoder encoder("windows-1251");
  QByteArray bytes = encoder(text);
  // The codec writes the control character SUB (0x1A) for every character it
  // cannot encode; unless the text really held SUB, show those as '?'.
  if (encoder.hasError() && !text.contains(QChar(0x1A))) bytes.replace('\x1A', '?');
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace zv
