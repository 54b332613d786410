#pragma once

#include <memory>

class Popup;

// What shows sheets and alerts: the application's screen (QML components),
// a terminal, or a test's script. It keeps a popup while it is on screen,
// tells the popup once it is presented, and when a button is pressed tells
// it and takes it away by itself.
//
// A spoken dialogue owns the screen from its first sheet to its result,
// also while it only plays or records with no popup shown: the microphone,
// the speaker and the answers on screen serve one dialogue at a time.
class PopupHost {
public:
    virtual ~PopupHost() = default;

    virtual void present(std::shared_ptr<Popup> popup) = 0;
    // Takes a popup away from code, as if its button `index` were pressed
    // (-1: none), without telling its delegate.
    virtual void dismiss(Popup& popup, int index) = 0;
    // Width of the host view, in the 320 × 480 point space.
    virtual double frameWidth() const { return 320; }

    // Lets `dialogue` own the screen; false, and nothing changes, while any
    // dialogue owns it, the asking one included.
    bool beginDialogue(const void* dialogue)
    {
        if (m_dialogue)
            return false;
        m_dialogue = dialogue;
        dialogueRunningChanged();
        return true;
    }
    // Gives the screen back; only its owner can.
    void endDialogue(const void* dialogue)
    {
        if (!m_dialogue || m_dialogue != dialogue)
            return;
        m_dialogue = nullptr;
        dialogueRunningChanged();
    }
    bool dialogueRunning() const { return m_dialogue != nullptr; }

protected:
    virtual void dialogueRunningChanged() { }

private:
    const void* m_dialogue = nullptr;
};
