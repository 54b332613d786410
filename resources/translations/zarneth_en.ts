<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name></name>
    <message id="speakNowTitle">
        <source>Say a name</source>
        <translation>Say a name</translation>
    </message>
    <message id="trainSpeakNowTitle">
        <source>Speak Now</source>
        <translation>Speak Now</translation>
    </message>
    <message id="stopRecognize">
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message id="sayRepeatCancel">
        <source>Not recognized. Say “repeat” or “cancel”.</source>
        <translation>Not recognized. Say “repeat” or “cancel”.</translation>
    </message>
    <message id="repeatRecognize">
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message id="sayAcceptRepeatCancel">
        <source>Say “accept”, “repeat” or “cancel”.</source>
        <translation>Say “accept”, “repeat” or “cancel”.</translation>
    </message>
    <message id="acceptRecognize">
        <source>Accept</source>
        <translation>Accept</translation>
    </message>
    <message id="infoText">
        <source>Record a sample of “%1” (%2)? After the prompt, say it once, clearly, within two seconds.</source>
        <translation>Record a sample of “%1” (%2)? After the prompt, say it once, clearly, within two seconds.</translation>
    </message>
    <message id="infoDetailText">
        <source>a word that answers Zarneth's questions</source>
        <translation>a word that answers Zarneth's questions</translation>
    </message>
    <message id="actionsheetRecord">
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message id="actionsheetDontRecord">
        <source>Not now</source>
        <translation>Not now</translation>
    </message>
    <message id="confirmText">
        <source>Keep this sample?</source>
        <translation>Keep this sample?</translation>
    </message>
    <message id="actionSheetSaveSample">
        <source>Keep</source>
        <translation>Keep</translation>
    </message>
    <message id="actionSheetDontSave">
        <source>Discard</source>
        <translation>Discard</translation>
    </message>
    <message id="tipTitle">
        <source>Tip</source>
        <translation>Tip</translation>
    </message>
    <message id="tipText">
        <source>A name can have up to three samples. Recording it a few times, perhaps in different places, makes recognition more reliable.</source>
        <translation>A name can have up to three samples. Recording it a few times, perhaps in different places, makes recognition more reliable.</translation>
    </message>
    <message id="actionsheetOK">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="tabBarMainTitle">
        <source>Dial</source>
        <translation>Dial</translation>
    </message>
    <message id="tapLabelText">
        <source>Tap and say a name</source>
        <translation>Tap and say a name</translation>
    </message>
    <message id="configureLabelText">
        <source>Train a name first</source>
        <translation>Train a name first</translation>
    </message>
    <message id="sysCommAccept">
        <source>Accept</source>
        <translation>Accept</translation>
    </message>
    <message id="sysCommRepeat">
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message id="sysCommCancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="dialFailedTitle">
        <source>Cannot dial</source>
        <translation>Cannot dial</translation>
    </message>
    <message id="dialFailedText">
        <source>Zarneth found no phone app to call %1. Install one, or make one the default for phone calls, then try again.</source>
        <translation>Zarneth found no phone app to call %1. Install one, or make one the default for phone calls, then try again.</translation>
    </message>
    <message id="tabBarActionsTitle">
        <source>Contacts</source>
        <translation>Contacts</translation>
    </message>
    <message id="tabBarComandsTitle">
        <source>Commands</source>
        <translation>Commands</translation>
    </message>
    <message id="tabBarPreferencesTitle">
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message id="tabBarHelpTitle">
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message id="prefsConfSwitch">
        <source>Confirmations</source>
        <translation>Confirmations</translation>
    </message>
    <message id="prefsVoiceGuideSwitch">
        <source>Voice guide</source>
        <translation>Voice guide</translation>
    </message>
    <message id="switchLockInfoTitle">
        <source>Not yet</source>
        <translation>Not yet</translation>
    </message>
    <message id="switchLockInfoText">
        <source>Confirmations need the control words accept, repeat and cancel. Train all three first, under Contacts → Control words.</source>
        <translation>Confirmations need the control words accept, repeat and cancel. Train all three first, under Contacts → Control words.</translation>
    </message>
    <message id="aboutButtonTitle">
        <source>About</source>
        <translation>About</translation>
    </message>
    <message id="about1Text">
        <source>Zarneth calls your contacts when you say their names. It learns your voice, in any language, and works offline: nothing you say leaves the phone.</source>
        <translation>Zarneth calls your contacts when you say their names. It learns your voice, in any language, and works offline: nothing you say leaves the phone.</translation>
    </message>
    <message id="about2Text">
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Free software under the GNU General Public License, version 3 or later.</translation>
    </message>
    <message id="noMicrophoneText">
        <source>No microphone found. Connect one, or check the sound settings, then tap the screen.</source>
        <translation>No microphone found. Connect one, or check the sound settings, then tap the screen.</translation>
    </message>
    <message id="noSpeakerText">
        <source>No sound output found. Connect a speaker or a headset, then tap the screen.</source>
        <translation>No sound output found. Connect a speaker or a headset, then tap the screen.</translation>
    </message>
    <message id="navigationBackTitle">
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message id="mainViewTitle">
        <source>Voice training</source>
        <translation>Voice training</translation>
    </message>
    <message id="aboutBackButtonText">
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message id="mainTableContacts">
        <source>Contacts</source>
        <translation>Contacts</translation>
    </message>
    <message id="mainTableSysComms">
        <source>Control words</source>
        <translation>Control words</translation>
    </message>
    <message id="sysCommViewTitle">
        <source>Control words</source>
        <translation>Control words</translation>
    </message>
    <message id="actionsNavBarRecordButton">
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message id="deleteAllButton">
        <source>Delete all</source>
        <translation>Delete all</translation>
    </message>
    <message id="optionsAlertSheetText">
        <source>“%1”</source>
        <translation>“%1”</translation>
    </message>
    <message id="actionsheetCancel">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="actionsAdd">
        <source>Record another sample</source>
        <translation>Record another sample</translation>
    </message>
    <message id="actionsPlay">
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message id="actionsDelete">
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message id="deleteConfirmationText">
        <source>Delete “%1” and its samples?</source>
        <translation>Delete “%1” and its samples?</translation>
    </message>
    <message id="deleteButtonConfirm">
        <source>Delete “%1”</source>
        <translation>Delete “%1”</translation>
    </message>
    <message id="deleteButtonCancel">
        <source>Keep</source>
        <translation>Keep</translation>
    </message>
    <message id="deleteAllConfirmationText">
        <source>Delete every trained name and control word, with all samples?</source>
        <translation>Delete every trained name and control word, with all samples?</translation>
    </message>
    <message id="deleteAllButtonConfirm">
        <source>Delete all</source>
        <translation>Delete all</translation>
    </message>
    <message id="confirmationsSectionTitle">
        <source>Control words</source>
        <translation>Control words</translation>
    </message>
    <message id="contactsSectionTitle">
        <source>Names</source>
        <translation>Names</translation>
    </message>
    <message id="searchPlaceholder">
        <source>Search</source>
        <translation>Search</translation>
    </message>
    <message id="contactsLoadingText">
        <source>Reading contacts…</source>
        <translation>Reading contacts…</translation>
    </message>
    <message id="contactsNoMatchText">
        <source>No contact matches.</source>
        <translation>No contact matches.</translation>
    </message>
    <message id="contactsEmptyText">
        <source>No contacts found. Zarneth reads vCard files (.vcf) from %1.</source>
        <translation>No contacts found. Zarneth reads vCard files (.vcf) from %1.</translation>
    </message>
    <message id="personNoPhoneText">
        <source>This contact has no phone number.</source>
        <translation>This contact has no phone number.</translation>
    </message>
    <message id="phoneKindMobile">
        <source>mobile</source>
        <translation>mobile</translation>
    </message>
    <message id="phoneKindHome">
        <source>home</source>
        <translation>home</translation>
    </message>
    <message id="phoneKindWork">
        <source>work</source>
        <translation>work</translation>
    </message>
    <message id="phoneKindOther">
        <source>phone</source>
        <translation>phone</translation>
    </message>
    <message id="commandsSampleCountText" numerus="yes">
        <source>%n samples</source>
        <translation>
            <numerusform>%n sample</numerusform>
            <numerusform>%n samples</numerusform>
        </translation>
    </message>
    <message id="accessibleInfoButtonName">
        <source>Contacts and settings</source>
        <translation>Contacts and settings</translation>
    </message>
    <message id="accessibleInfoButtonDescription">
        <source>Train names, change settings and read the help</source>
        <translation>Train names, change settings and read the help</translation>
    </message>
    <message id="accessibleScreenButtonDescription">
        <source>Starts listening: say a name after the tone</source>
        <translation>Starts listening: say a name after the tone</translation>
    </message>
    <message id="accessibleTabBarName">
        <source>Tabs</source>
        <translation>Tabs</translation>
    </message>
    <message id="accessibleBackName">
        <source>Back to %1</source>
        <translation>Back to %1</translation>
    </message>
    <message id="accessibleProgressName">
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
    <message id="accessibleMakersSiteName">
        <source>The maker's website</source>
        <translation>The maker's website</translation>
    </message>
    <message id="accessibleProgressValue">
        <source>%1 percent</source>
        <translation>%1 percent</translation>
    </message>
</context>
</TS>
