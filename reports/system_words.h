#pragma once
// The system's reason for a failed file operation, in the program's language.
//
// Qt reports the reason as the C library's English text ("Permission
// denied"), on Windows also as Windows words it; a message that names the file in Chinese should not switch to
// English half way. The common reasons get their Chinese words; any other
// falls back to the kind of failure Qt recorded.

#include <QFileDevice>
#include <QString>

namespace tarvelo {

// "（没有权限）" and the like, or an empty text when the device records no
// error.
QString SystemWords(const QFileDevice& file);

// The words for a system error text as QFileDevice::errorString() gives it,
// and the kind of failure; exposed for tests.
QString SystemWordsFor(const QString& errorString, QFileDevice::FileError error);

}  // namespace tarvelo
