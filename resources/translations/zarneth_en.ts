<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name></name>
    <message id="speakNowTitle">
        <source>Say a name</source>
        <translation>Say a name</translation>
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
        <source>a word that answers the dialer's questions</source>
        <translation>a word that answers the dialer's questions</translation>
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
        <source>No dialer took the number %1.</source>
        <translation>No dialer took the number %1.</translation>
    </message>
</context>
</TS>
