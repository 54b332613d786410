#pragma once

class AddressBook;
class AudioDevice;
class PopupHost;
class ZRCommandList;
class ZarnethAppDelegate;

// What the screens share: the application (to dial and open the maker's
// site), the host of sheets and alerts, the audio device, the command
// store and the address book.
struct ScreenServices {
    ZarnethAppDelegate& application;
    PopupHost& popupHost;
    AudioDevice& audioDevice;
    ZRCommandList& commandList;
    AddressBook& addressBook;
};
