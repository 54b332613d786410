#pragma once

// The user's settings and their defaults, written into the settings file at
// launch where a key has no value yet (so that the user's own values stay):
//   "Confirmations"          false  ask to accept, repeat or cancel after a recognition
//   "VoiceGuide"             true   spoken prompts instead of beeps
//   "UpTo3SampleInfoCount"   3      how often the training tip is still shown
//   "CommandListHasData"     false  a phone command is trained
//   "Dialing"                false  the last run ended by dialling
class DefaultSettings {
public:
    static void setupDefaults();
};
