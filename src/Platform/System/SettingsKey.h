#pragma once

#include <QString>

// The keys of the user's settings, named once for every reader and writer.
// DefaultSettings gives each its value on first launch.
namespace SettingsKey {
inline const QString Confirmations = QStringLiteral("Confirmations");
inline const QString VoiceGuide = QStringLiteral("VoiceGuide");
inline const QString UpTo3SampleInfoCount = QStringLiteral("UpTo3SampleInfoCount");
inline const QString CommandListHasData = QStringLiteral("CommandListHasData");
inline const QString Dialing = QStringLiteral("Dialing");
}  // namespace SettingsKey
