<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name></name>
    <message id="speakNowTitle">
        <source>Say a name</source>
        <translation>Sagen Sie einen Namen</translation>
    </message>
    <message id="trainSpeakNowTitle">
        <source>Speak Now</source>
        <translation>Jetzt sprechen</translation>
    </message>
    <message id="stopRecognize">
        <source>Stop</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="sayRepeatCancel">
        <source>Not recognized. Say “repeat” or “cancel”.</source>
        <translation>Nicht erkannt. Sagen Sie „Wiederholen“ oder „Abbrechen“.</translation>
    </message>
    <message id="repeatRecognize">
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message id="sayAcceptRepeatCancel">
        <source>Say “accept”, “repeat” or “cancel”.</source>
        <translation>Sagen Sie „Annehmen“, „Wiederholen“ oder „Abbrechen“.</translation>
    </message>
    <message id="acceptRecognize">
        <source>Accept</source>
        <translation>Annehmen</translation>
    </message>
    <message id="infoText">
        <source>Record a sample of “%1” (%2)? After the prompt, say it once, clearly, within two seconds.</source>
        <translation>Eine Sprachprobe für „%1“ (%2) aufnehmen? Sprechen Sie nach der Ansage einmal deutlich; Sie haben zwei Sekunden Zeit.</translation>
    </message>
    <message id="infoDetailText">
        <source>a word that answers Zarneth's questions</source>
        <translation>ein Wort, mit dem Sie Zarneths Fragen beantworten</translation>
    </message>
    <message id="actionsheetRecord">
        <source>Record</source>
        <translation>Aufnehmen</translation>
    </message>
    <message id="actionsheetDontRecord">
        <source>Not now</source>
        <translation>Nicht jetzt</translation>
    </message>
    <message id="confirmText">
        <source>Keep this sample?</source>
        <translation>Diese Sprachprobe behalten?</translation>
    </message>
    <message id="actionSheetSaveSample">
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message id="actionSheetDontSave">
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message id="tipTitle">
        <source>Tip</source>
        <translation>Tipp</translation>
    </message>
    <message id="tipText">
        <source>A name can have up to three samples. Recording it a few times, perhaps in different places, makes recognition more reliable.</source>
        <translation>Ein Name kann bis zu drei Sprachproben haben. Mehrere Aufnahmen, etwa an verschiedenen Orten, machen die Erkennung zuverlässiger.</translation>
    </message>
    <message id="actionsheetOK">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="tabBarMainTitle">
        <source>Dial</source>
        <translation>Wählen</translation>
    </message>
    <message id="tapLabelText">
        <source>Tap and say a name</source>
        <translation>Tippen und Namen sagen</translation>
    </message>
    <message id="configureLabelText">
        <source>Train a name first</source>
        <translation>Zuerst einen Namen trainieren</translation>
    </message>
    <message id="sysCommAccept">
        <source>Accept</source>
        <translation>Annehmen</translation>
    </message>
    <message id="sysCommRepeat">
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message id="sysCommCancel">
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="dialFailedTitle">
        <source>Cannot dial</source>
        <translation>Wählen nicht möglich</translation>
    </message>
    <message id="dialFailedText">
        <source>Zarneth found no phone app to call %1. Install one, or make one the default for phone calls, then try again.</source>
        <translation>Zarneth hat keine Telefon-App gefunden, die %1 anrufen kann. Installieren Sie eine oder legen Sie eine als Standard für Anrufe fest, und versuchen Sie es dann noch einmal.</translation>
    </message>
    <message id="tabBarActionsTitle">
        <source>Contacts</source>
        <translation>Kontakte</translation>
    </message>
    <message id="tabBarComandsTitle">
        <source>Commands</source>
        <translation>Befehle</translation>
    </message>
    <message id="tabBarPreferencesTitle">
        <source>Settings</source>
        <translation>Optionen</translation>
    </message>
    <message id="tabBarHelpTitle">
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message id="prefsConfSwitch">
        <source>Confirmations</source>
        <translation>Bestätigungen</translation>
    </message>
    <message id="prefsVoiceGuideSwitch">
        <source>Voice guide</source>
        <translation>Sprachführung</translation>
    </message>
    <message id="switchLockInfoTitle">
        <source>Not yet</source>
        <translation>Noch nicht</translation>
    </message>
    <message id="switchLockInfoText">
        <source>Confirmations need the control words accept, repeat and cancel. Train all three first, under Contacts → Control words.</source>
        <translation>Bestätigungen brauchen die drei Steuerwörter „Annehmen“, „Wiederholen“ und „Abbrechen“. Trainieren Sie sie zuerst unter Kontakte → Steuerwörter.</translation>
    </message>
    <message id="aboutButtonTitle">
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message id="about1Text">
        <source>Zarneth calls your contacts when you say their names. It learns your voice, in any language, and works offline: nothing you say leaves the phone.</source>
        <translation>Zarneth ruft Ihre Kontakte an, wenn Sie ihre Namen sagen. Es lernt Ihre Stimme, in jeder Sprache, und arbeitet offline: Nichts, was Sie sagen, verlässt das Telefon.</translation>
    </message>
    <message id="about2Text">
        <source>Free software under the GNU General Public License, version 3 or later.</source>
        <translation>Freie Software unter der GNU General Public License, Version 3 oder später.</translation>
    </message>
    <message id="noMicrophoneText">
        <source>No microphone found. Connect one, or check the sound settings, then tap the screen.</source>
        <translation>Kein Mikrofon gefunden. Schließen Sie eines an oder prüfen Sie die Toneinstellungen, und tippen Sie dann auf den Bildschirm.</translation>
    </message>
    <message id="noSpeakerText">
        <source>No sound output found. Connect a speaker or a headset, then tap the screen.</source>
        <translation>Keine Tonausgabe gefunden. Schließen Sie einen Lautsprecher oder ein Headset an, und tippen Sie dann auf den Bildschirm.</translation>
    </message>
    <message id="navigationBackTitle">
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message id="mainViewTitle">
        <source>Voice training</source>
        <translation>Sprachtraining</translation>
    </message>
    <message id="aboutBackButtonText">
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message id="mainTableContacts">
        <source>Contacts</source>
        <translation>Kontakte</translation>
    </message>
    <message id="mainTableSysComms">
        <source>Control words</source>
        <translation>Steuerwörter</translation>
    </message>
    <message id="sysCommViewTitle">
        <source>Control words</source>
        <translation>Steuerwörter</translation>
    </message>
    <message id="actionsNavBarRecordButton">
        <source>Record</source>
        <translation>Sprechen</translation>
    </message>
    <message id="deleteAllButton">
        <source>Delete all</source>
        <translation>Leeren</translation>
    </message>
    <message id="optionsAlertSheetText">
        <source>“%1”</source>
        <translation>„%1“</translation>
    </message>
    <message id="actionsheetCancel">
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="actionsAdd">
        <source>Record another sample</source>
        <translation>Weitere Sprachprobe aufnehmen</translation>
    </message>
    <message id="actionsPlay">
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message id="actionsDelete">
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message id="deleteConfirmationText">
        <source>Delete “%1” and its samples?</source>
        <translation>„%1“ mit allen Sprachproben löschen?</translation>
    </message>
    <message id="deleteButtonConfirm">
        <source>Delete “%1”</source>
        <translation>„%1“ löschen</translation>
    </message>
    <message id="deleteButtonCancel">
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message id="deleteAllConfirmationText">
        <source>Delete every trained name and control word, with all samples?</source>
        <translation>Alle trainierten Namen und Steuerwörter mit allen Sprachproben löschen?</translation>
    </message>
    <message id="deleteAllButtonConfirm">
        <source>Delete all</source>
        <translation>Alle löschen</translation>
    </message>
    <message id="confirmationsSectionTitle">
        <source>Control words</source>
        <translation>Steuerwörter</translation>
    </message>
    <message id="contactsSectionTitle">
        <source>Names</source>
        <translation>Namen</translation>
    </message>
    <message id="searchPlaceholder">
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message id="contactsLoadingText">
        <source>Reading contacts…</source>
        <translation>Kontakte werden geladen …</translation>
    </message>
    <message id="contactsNoMatchText">
        <source>No contact matches.</source>
        <translation>Kein passender Kontakt.</translation>
    </message>
    <message id="contactsEmptyText">
        <source>No contacts found. Zarneth reads vCard files (.vcf) from %1.</source>
        <translation>Keine Kontakte gefunden. Zarneth liest vCard-Dateien (.vcf) aus %1.</translation>
    </message>
    <message id="personNoPhoneText">
        <source>This contact has no phone number.</source>
        <translation>Dieser Kontakt hat keine Telefonnummer.</translation>
    </message>
    <message id="phoneKindMobile">
        <source>mobile</source>
        <translation>mobil</translation>
    </message>
    <message id="phoneKindHome">
        <source>home</source>
        <translation>privat</translation>
    </message>
    <message id="phoneKindWork">
        <source>work</source>
        <translation>geschäftlich</translation>
    </message>
    <message id="phoneKindOther">
        <source>phone</source>
        <translation>Telefon</translation>
    </message>
    <message id="commandsSampleCountText" numerus="yes">
        <source>%n samples</source>
        <translation>
            <numerusform>%n Sprachprobe</numerusform>
            <numerusform>%n Sprachproben</numerusform>
        </translation>
    </message>
    <message id="accessibleInfoButtonName">
        <source>Contacts and settings</source>
        <translation>Kontakte und Einstellungen</translation>
    </message>
    <message id="accessibleInfoButtonDescription">
        <source>Train names, change settings and read the help</source>
        <translation>Namen trainieren, Einstellungen ändern und die Hilfe lesen</translation>
    </message>
    <message id="accessibleScreenButtonDescription">
        <source>Starts listening: say a name after the tone</source>
        <translation>Startet das Zuhören: nach dem Ton einen Namen sagen</translation>
    </message>
    <message id="accessibleTabBarName">
        <source>Tabs</source>
        <translation>Tabs</translation>
    </message>
    <message id="accessibleBackName">
        <source>Back to %1</source>
        <translation>Zurück zu %1</translation>
    </message>
    <message id="accessibleProgressName">
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message id="accessibleMakersSiteName">
        <source>The maker's website</source>
        <translation>Die Website des Herstellers</translation>
    </message>
    <message id="accessibleProgressValue">
        <source>%1 percent</source>
        <translation>%1 Prozent</translation>
    </message>
</context>
</TS>
