<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CliText</name>
    <message numerus="yes">
        <source>Deleted %n item(s) for good.</source>
        <translation>
            <numerusform>Deleted %n item for good.</numerusform>
            <numerusform>Deleted %n items for good.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Restored the list &quot;%1&quot; with %n task(s).</source>
        <translation>
            <numerusform>Restored the list &quot;%1&quot; with %n task.</numerusform>
            <numerusform>Restored the list &quot;%1&quot; with %n tasks.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DayGraphView</name>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n task</numerusform>
            <numerusform>%n tasks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s)</source>
        <translation>
            <numerusform>%n event</numerusform>
            <numerusform>%n events</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DesktopShortcutHelp</name>
    <message numerus="yes">
        <source>Its shortcut being off, %1 is taken out of the list and cleared.</source>
        <extracomment>%1 names the settings&apos; paths; the number of paths chooses the form.</extracomment>
        <translation>
            <numerusform>Its shortcut being off, %1 is taken out of the list and cleared.</numerusform>
            <numerusform>Their shortcuts being off, %1 are taken out of the list and cleared.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Global</name>
    <message numerus="yes">
        <source>%n Day(s) later</source>
        <translation>
            <numerusform>%n Day later</numerusform>
            <numerusform>%n Days later</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Day(s) ago</source>
        <translation>
            <numerusform>%n Day ago</numerusform>
            <numerusform>%n Days ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Week(s) later</source>
        <translation>
            <numerusform>%n Week later</numerusform>
            <numerusform>%n Weeks later</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Week(s) ago</source>
        <translation>
            <numerusform>%n Week ago</numerusform>
            <numerusform>%n Weeks ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Month(s) later</source>
        <translation>
            <numerusform>%n Month later</numerusform>
            <numerusform>%n Months later</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Month(s) ago</source>
        <translation>
            <numerusform>%n Month ago</numerusform>
            <numerusform>%n Months ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Year(s) later</source>
        <translation>
            <numerusform>%n Year later</numerusform>
            <numerusform>%n Years later</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Year(s) ago</source>
        <translation>
            <numerusform>%n Year ago</numerusform>
            <numerusform>%n Years ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Task(s)</source>
        <translation>
            <numerusform>%n Task</numerusform>
            <numerusform>%n Tasks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Every %n Day(s)</source>
        <translation>
            <numerusform>Every %n Day</numerusform>
            <numerusform>Every %n Days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Every %n Week(s)</source>
        <translation>
            <numerusform>Every %n Week</numerusform>
            <numerusform>Every %n Weeks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Every %n Month(s)</source>
        <translation>
            <numerusform>Every %n Month</numerusform>
            <numerusform>Every %n Months</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Every %n Year(s)</source>
        <translation>
            <numerusform>Every %n Year</numerusform>
            <numerusform>Every %n Years</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>IntroStorePage</name>
    <message numerus="yes">
        <source>%n list(s)</source>
        <translation>
            <numerusform>%n list</numerusform>
            <numerusform>%n lists</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n task(s)</source>
        <translation>
            <numerusform>%n task</numerusform>
            <numerusform>%n tasks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n event(s)</source>
        <translation>
            <numerusform>%n event</numerusform>
            <numerusform>%n events</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>QuickAction</name>
    <message numerus="yes">
        <source>+%n Minute(s)</source>
        <translation>
            <numerusform>+%n Minute</numerusform>
            <numerusform>+%n Minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Minute(s)</source>
        <translation>
            <numerusform>-%n Minute</numerusform>
            <numerusform>-%n Minutes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Hour(s)</source>
        <translation>
            <numerusform>+%n Hour</numerusform>
            <numerusform>+%n Hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Hour(s)</source>
        <translation>
            <numerusform>-%n Hour</numerusform>
            <numerusform>-%n Hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Day(s)</source>
        <translation>
            <numerusform>+%n Day</numerusform>
            <numerusform>+%n Days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Day(s)</source>
        <translation>
            <numerusform>-%n Day</numerusform>
            <numerusform>-%n Days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Week(s)</source>
        <translation>
            <numerusform>+%n Week</numerusform>
            <numerusform>+%n Weeks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Week(s)</source>
        <translation>
            <numerusform>-%n Week</numerusform>
            <numerusform>-%n Weeks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>+%n Month(s)</source>
        <translation>
            <numerusform>+%n Month</numerusform>
            <numerusform>+%n Months</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>-%n Month(s)</source>
        <translation>
            <numerusform>-%n Month</numerusform>
            <numerusform>-%n Months</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecentlyDeletedItems</name>
    <message numerus="yes">
        <source>%n item(s) could not be restored:</source>
        <translation>
            <numerusform>%n item could not be restored:</numerusform>
            <numerusform>%n items could not be restored:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s) could not be deleted:</source>
        <translation>
            <numerusform>%n item could not be deleted:</numerusform>
            <numerusform>%n items could not be deleted:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %n item(s) for good?</source>
        <translation>
            <numerusform>Delete %n item for good?</numerusform>
            <numerusform>Delete %n items for good?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>List with %n task(s)</source>
        <translation>
            <numerusform>List with %n task</numerusform>
            <numerusform>List with %n tasks</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecentlyDeletedPolicy</name>
    <message numerus="yes">
        <source>The list and its tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept for %n day(s).</source>
        <translation>
            <numerusform>The list and its tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept for %n day.</numerusform>
            <numerusform>The list and its tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept for %n days.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The completed tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept for %n day(s).</source>
        <translation>
            <numerusform>The completed tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept for %n day.</numerusform>
            <numerusform>The completed tasks go to Recently Deleted (Edit → Recently Deleted…), where they are kept for %n days.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RepeatPhraseStage</name>
    <message numerus="yes">
        <source>%1, %n time(s)</source>
        <translation>
            <numerusform>%1, %n time</numerusform>
            <numerusform>%1, %n times</numerusform>
        </translation>
    </message>
</context>
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
    <name>SmartAddSettings</name>
    <message numerus="yes">
        <source>Due Date +%n Day(s)</source>
        <translation>
            <numerusform>Due Date +%n Day</numerusform>
            <numerusform>Due Date +%n Days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Day(s)</source>
        <translation>
            <numerusform>Due Date -%n Day</numerusform>
            <numerusform>Due Date -%n Days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Week(s)</source>
        <translation>
            <numerusform>Due Date +%n Week</numerusform>
            <numerusform>Due Date +%n Weeks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Week(s)</source>
        <translation>
            <numerusform>Due Date -%n Week</numerusform>
            <numerusform>Due Date -%n Weeks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Month(s)</source>
        <translation>
            <numerusform>Due Date +%n Month</numerusform>
            <numerusform>Due Date +%n Months</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Month(s)</source>
        <translation>
            <numerusform>Due Date -%n Month</numerusform>
            <numerusform>Due Date -%n Months</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date +%n Year(s)</source>
        <translation>
            <numerusform>Due Date +%n Year</numerusform>
            <numerusform>Due Date +%n Years</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Due Date -%n Year(s)</source>
        <translation>
            <numerusform>Due Date -%n Year</numerusform>
            <numerusform>Due Date -%n Years</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StoreFoldersGroup</name>
    <message numerus="yes">
        <source>%n list(s) and calendar(s)</source>
        <translation>
            <numerusform>%n list or calendar</numerusform>
            <numerusform>%n lists and calendars</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SubtaskCompletionQuestion</name>
    <message numerus="yes">
        <source>“%1” has %n open subtask(s).</source>
        <translation>
            <numerusform>“%1” has %n open subtask.</numerusform>
            <numerusform>“%1” has %n open subtasks.</numerusform>
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
<context>
    <name>UnreadableFilesBar</name>
    <message numerus="yes">
        <source>%n file(s) in your lists could not be read.</source>
        <translation>
            <numerusform>%n file in your lists could not be read.</numerusform>
            <numerusform>%n files in your lists could not be read.</numerusform>
        </translation>
    </message>
</context>
</TS>
