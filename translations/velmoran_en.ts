<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>RightViewController</name>
    <message numerus="yes">
        <source>%n Day(s) Before</source>
        <translation>
            <numerusform>%n Day Before</numerusform>
            <numerusform>%n Days Before</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Hour(s) Before</source>
        <translation>
            <numerusform>%n Hour Before</numerusform>
            <numerusform>%n Hours Before</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Minute(s) Before</source>
        <translation>
            <numerusform>%n Minute Before</numerusform>
            <numerusform>%n Minutes Before</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SyncReport</name>
    <message numerus="yes">
        <source>%n received</source>
        <translation>
            <numerusform>%n received</numerusform>
            <numerusform>%n received</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sent</source>
        <translation>
            <numerusform>%n sent</numerusform>
            <numerusform>%n sent</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n deleted here</source>
        <translation>
            <numerusform>%n deleted here</numerusform>
            <numerusform>%n deleted here</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n deleted on the server</source>
        <translation>
            <numerusform>%n deleted on the server</numerusform>
            <numerusform>%n deleted on the server</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n changed on both sides, both kept</source>
        <translation>
            <numerusform>%n changed on both sides, both kept</numerusform>
            <numerusform>%n changed on both sides, both kept</numerusform>
        </translation>
    </message>
</context>
</TS>
