<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Tonolog</name>
    <message>
        <source>The diary is full: it holds 32767 days, and no day can be added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The diary has no file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid SYS.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid DIA.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid PUL.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range of SYS is 0 to 250.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range of DIA is 0 to 250.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Range of PUL is 0 to 250.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is a symbolic link that another user made in a folder shared by everyone; it is not followed, so that no other file is replaced through it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is larger than 256 MB, far larger than any diary.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SYS %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIA %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pulse %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no readings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(New)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 &apos;s data list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 &apos;s BP Trend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data file cannot be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data file cannot be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a text file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This diary holds more than 32767 days; only the first 32767 were read.
It is opened untitled, so that the file itself is never overwritten with the shortened diary.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no readings in this period to compare with the home threshold.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The average is at or above the home threshold of %1 mmHg.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The average is below the home threshold of %1 mmHg.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days %1 to %2 of %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bars from DIA to SYS on a scale of 0 to 250 mmHg. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tonolog is already running in another session of this user (another login, a remote session, or another computer that shares this home folder), and it keeps its backup there.
Close Tonolog in that session first, then start it here.
If Tonolog no longer runs there (that computer was switched off while it ran), delete
%1
and start Tonolog again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tonolog is already running but does not answer, so it cannot be started again.
Close the running Tonolog, or end it, and start it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S:Systolic D:Diastolic P:Pulse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mmHg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> NOTES: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> S    </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> D    </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export readings as CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The whole diary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report&apos;s period: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Which readings go into the CSV file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Making the report (%1 pages)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Files (*.%2)|*.%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the report as PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blood pressure report %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home blood pressure report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF could not be made.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report cannot be saved.
%1
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be printed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blood pressure readings %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blood pressure readings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The readings cannot be exported.
%1
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report for the doctor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last 7 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last 30 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Trend page&apos;s window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dates of your choice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>135/85 mmHg (the European home threshold)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>130/80 mmHg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave out the first day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The usual home protocol leaves out the first day of measuring, whose readings run high.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First day of the period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last day of the period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview of the report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home threshold:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as PDF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The preview shows the first %1 of %2 pages; the saved or printed report has them all.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This report summarises readings entered by the user; it is not a diagnosis.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 on %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> to </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home blood pressure report · %1 · %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period: %1 (%2 %3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; the first day with readings is left out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Made on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days with readings: %1    Readings counted: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>    Readings left out: %1 (a value that is not a whole number from 0 to 250)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SYS mmHg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIA mmHg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PUL /min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whole period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Morning (04:00጑:59)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Evening (18:00ጃ:59)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mean ± standard deviation. Readings without a time count in the whole period only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lowest SYS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Highest SYS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lowest DIA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Highest DIA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readings at or above %1/%2 mmHg: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readings over the period</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SYS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SYS threshold %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIA threshold %1 mmHg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Grey lines are not in the figures: the first day with readings, or a value that is not a whole number from 0 to 250.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PUL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version info.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A home blood-pressure diary.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tonolog keeps a diary of the blood pressure and pulse readings you take yourself, for your own records. It is not a medical device: it does not measure, diagnose, treat or advise, and it does not judge whether a reading is normal; its coloured zones are only a visual aid. The readings you enter and any use you make of them are your own responsibility; ask a doctor about your health. This program comes without warranty of any kind.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System info.(&amp;S)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>現時点ではｼｽﾃﾑ情報を使用できません</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TNL Files (*.tnl)|*.tnl|All Files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
The whole backup is kept in </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
The whole backup could not be copied: copy </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> to a safe place before you change anything, or the days after the first 32767 are lost.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup file cannot be written, so the latest changes are not yet safe on disk.
Save the diary with File &gt; Save as.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data is changed.
Save data and continue process?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File is not saved.
Would you like to save the file?

All the data will be lost if file is not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File is not saved.
Would you like to overwrite the file?

New entries will be lost if the file is not saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup file cannot be written.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input your name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>line %1: %2
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> added or changed there only will be taken into this diary.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> removed there only will be removed here too.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The owner&apos;s name changed there will be taken: &quot;%1&quot;.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> changed both there and here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The owner&apos;s name was changed both there and here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>: the version of this window is kept, and the other one is written to
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The diary file is not what Tonolog last read or saved, and it cannot be read as a whole diary now (it is empty, is no text, or holds more days than a diary can):
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

So that nothing in it is lost, it is not overwritten. Save this diary under another name instead?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The diary file was changed by another program since Tonolog last read or saved it:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> of the file cannot be read; they are kept in
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Yes: take in the changes and save.
No: save under another name instead.
Cancel: save nothing now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
The other version of the days changed on both sides cannot be written to
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
The lines of the file that could not be read cannot be kept in
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The diary file was changed by another program:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
It no longer holds %1 that this window shows,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
It cannot be read as a whole diary any more,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> so it is not read again here. File &gt; Save asks what to do; File &gt; Save as... keeps this window&apos;s diary under another name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The diary file was changed by another program, so it has been read again:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> of this diary could not be read, so %1 not shown:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>they are</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They are kept in
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They could not be kept (</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>): copy
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
to a safe place before you change anything.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They are not lost: before the diary is next saved over this file, they are written to
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup could not be kept as a file of its own:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
So that nothing is lost, it is recalled: save it under a name, or close without saving if you do not need it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tonolog Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type the first letters of a keyword</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The help file cannot be found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The help file holds no help topics.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup data was kept from the last time.
Would you like to recall data from the backup?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>

If not, it is kept as a file in
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The window position and the recent files could not be kept:
the settings cannot be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input your name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;s Tonolog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input date or click right button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>See previous day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>See next day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SYS.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIA.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PUL.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TIME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NOTES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input time or click right button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input current time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> NOTES:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>note</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>See previous data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the list (Ctrl+P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>See next data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pul</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>/min.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the graph (Ctrl+P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open(&amp;O)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close(&amp;C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save(&amp;S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print(&amp;P)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report for the doctor...(&amp;D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export readings as CSV...(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help(&amp;H)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents(&amp;C)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Topics(&amp;S)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About(&amp;A)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo of the %1 page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading %1, </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Systolic pressure, 0 to 250 mmHg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Diastolic pressure, 0 to 250 mmHg</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pulse, 0 to 250 a minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>current time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A note for the day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bar chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note patch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Legend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SYS a dark red line, DIA a blue line, joined by a black line; PUL a green dot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trend</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Trend graph</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Tab: next page; Ctrl+Shift+Tab: previous page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 page is in front. Left and Right, Ctrl+Tab and Ctrl+Shift+Tab change the page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 day was</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 days were</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 lines</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A hidden part of the layout, never shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value is not a whole number from 0 to 250</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its date cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its day already holds three other readings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>data list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>data list %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>trend %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>report %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It belongs to someone else, so it cannot be made private.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no space left on the disk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file was not written completely.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blood pressure diary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file holds no text.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is no export this program knows, and no line of it names columns for the date and the blood pressure (SYS, DIA).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a date.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no time)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was imported: the diary would then hold more than 32,767 days, more than it can keep.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readings imported: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Days added: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duplicates skipped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows without a blood pressure skipped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readings refused: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readings that did not fit (the day&apos;s three places were taken): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tonolog CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OMRON connect CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Withings bp.csv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blood Pressure Monitor app CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Microlife PC export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apple Health export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is not a whole number from 0 to 250.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file is not an Apple Health export.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ZIP archive cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ZIP archive holds no Apple Health export (export.xml).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Apple Health export is damaged at line %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its date and time cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import readings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readings (*.csv;*.xml;*.zip)|*.csv;*.CSV;*.txt;*.xml;*.zip|CSV Files (*.csv)|*.csv;*.CSV|XML Files (*.xml)|*.xml|ZIP Files (*.zip)|*.zip|All Files (*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The readings cannot be imported.
%1
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the Apple Health export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is too large for a file of readings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
Recognised as: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The readings as they will be stored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Columns</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date (or date and time):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SYS:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIA:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PUL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Column %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day, month, year (31/12/2025)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Month, day, year (12/31/2025)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date order:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing can be imported: the diary would then hold more than 32,767 days.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file holds %1 readings. %2 will be imported (%3 days new in the diary); %4 are already in the diary; %5 do not fit (the day&apos;s three places are taken); %6 are refused; %7 rows hold no blood pressure.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readings(&amp;R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import readings...(&amp;I)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Medisana VitaDock CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 over %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>note: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 reading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 readings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SYS mean %1, lowest %2, highest %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIA mean %1, lowest %2, highest %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mean pulse %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter opens the day on the Diary page; Up and Down move to the days around it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Period: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 readings on %2 days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mean SYS %1, DIA %2, PUL %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At or above %1/%2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opens a calendar to choose the day (Alt+Down or F4 in the date box)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fills in the time of day now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left and Right choose a day, Enter opens it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It holds far more values than a file of readings can.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a time of day.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes left out (the day&apos;s note is already very long): %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Its date lies outside the years 100 to 9999.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A part of it is far larger than any Apple Health export holds.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to read it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
