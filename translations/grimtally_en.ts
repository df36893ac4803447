<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>ChoiceFileError</name>
    <message>
        <source>the row needs a text and a whole number, separated by a comma.</source>
        <translation>the row needs a text and a whole number, separated by a comma.</translation>
    </message>
    <message>
        <source>the row needs a key and a value, separated by a comma.</source>
        <translation>the row needs a key and a value, separated by a comma.</translation>
    </message>
    <message>
        <source>the row needs four items: name, hit key, damage key and critical key.</source>
        <translation>the row needs four items: name, hit key, damage key and critical key.</translation>
    </message>
    <message>
        <source>the second item must be a whole number.</source>
        <translation>the second item must be a whole number.</translation>
    </message>
    <message>
        <source>the number is too large.</source>
        <translation>the number is too large.</translation>
    </message>
    <message>
        <source>%1, section [%2], row %3 &quot;%4&quot;: %5</source>
        <translation>%1, section [%2], row %3 &quot;%4&quot;: %5</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Grimtally</source>
        <translation>Grimtally</translation>
    </message>
    <message>
        <source>There was not enough memory for this command; it stopped.</source>
        <translation>There was not enough memory for this command; it stopped.</translation>
    </message>
    <message>
        <source>The command stopped because of an unexpected error.</source>
        <translation>The command stopped because of an unexpected error.</translation>
    </message>
    <message>
        <source>ファイルを上書きします。<byte value="xd"/>
よろしいですか？</source>
        <translation>This overwrites the file.<byte value="xd"/>
Are you sure?</translation>
    </message>
</context>
<context>
    <name>LanguageFile</name>
    <message>
        <source>The words that can be read are used, and the default words for the rest. The file is not written back; save it as Shift-JIS text to have the program complete it.</source>
        <translation>The words that can be read are used, and the default words for the rest. The file is not written back; save it as Shift-JIS text to have the program complete it.</translation>
    </message>
    <message>
        <source>The default words are used, and the file is left as it is.</source>
        <translation>The default words are used, and the file is left as it is.</translation>
    </message>
    <message>
        <source>%1: not Shift-JIS text but UTF-16</source>
        <translation>%1: not Shift-JIS text but UTF-16</translation>
    </message>
    <message>
        <source>%1: not Shift-JIS text, it holds NUL bytes</source>
        <translation>%1: not Shift-JIS text, it holds NUL bytes</translation>
    </message>
</context>
<context>
    <name>RuleError</name>
    <message>
        <source>The %1 table has no row &quot;%2&quot; for the attack &quot;%3&quot;.</source>
        <translation>The %1 table has no row &quot;%2&quot; for the attack &quot;%3&quot;.</translation>
    </message>
    <message>
        <source>There is no attack method number %1 in the choice file.</source>
        <translation>There is no attack method number %1 in the choice file.</translation>
    </message>
    <message>
        <source>The critical value &quot;%1&quot; of the attack &quot;%2&quot; is not a whole number.</source>
        <translation>The critical value &quot;%1&quot; of the attack &quot;%2&quot; is not a whole number.</translation>
    </message>
    <message>
        <source>The critical value of the attack &quot;%1&quot; is 36, which would divide by zero.</source>
        <translation>The critical value of the attack &quot;%1&quot; is 36, which would divide by zero.</translation>
    </message>
    <message>
        <source>A critical value of 36 would divide by zero.</source>
        <translation>A critical value of 36 would divide by zero.</translation>
    </message>
    <message>
        <source>A critical value of 72 would divide by zero.</source>
        <translation>A critical value of 72 would divide by zero.</translation>
    </message>
    <message>
        <source>The critical table gives &quot;%1&quot; of the attack &quot;%2&quot; the value 72, which would divide by zero.</source>
        <translation>The critical table gives &quot;%1&quot; of the attack &quot;%2&quot; the value 72, which would divide by zero.</translation>
    </message>
</context>
<context>
    <name>WorkFolder</name>
    <message>
        <source>The files Grimtally starts a new folder with are missing. Install Grimtally again.</source>
        <translation>The files Grimtally starts a new folder with are missing. Install Grimtally again.</translation>
    </message>
    <message>
        <source>Grimtally keeps its files in the folder %1, but that folder cannot be created or written.</source>
        <translation>Grimtally keeps its files in the folder %1, but that folder cannot be created or written.</translation>
    </message>
    <message>
        <source>Make it a folder you may write into, or start Grimtally from a terminal in a folder of your choice: it then works there.</source>
        <translation>Make it a folder you may write into, or start Grimtally from a terminal in a folder of your choice: it then works there.</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::ExchangeCommands</name>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>Export as P&amp;DF...</translation>
    </message>
    <message>
        <source>&amp;Two Enemies per Page</source>
        <translation>&amp;Two Enemies per Page</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>&amp;JSON...</source>
        <translation>&amp;JSON...</translation>
    </message>
    <message>
        <source>&amp;CSV...</source>
        <translation>&amp;CSV...</translation>
    </message>
    <message>
        <source>&amp;Markdown...</source>
        <translation>&amp;Markdown...</translation>
    </message>
    <message>
        <source>&amp;Import JSON...</source>
        <translation>&amp;Import JSON...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Export as PDF...</source>
        <translation>Export as PDF...</translation>
    </message>
    <message>
        <source>There are no enemies to print or export.</source>
        <translation>There are no enemies to print or export.</translation>
    </message>
    <message>
        <source>Export as PDF</source>
        <translation>Export as PDF</translation>
    </message>
    <message>
        <source>%1: the PDF could not be written.</source>
        <translation>%1: the PDF could not be written.</translation>
    </message>
    <message>
        <source>Export as JSON</source>
        <translation>Export as JSON</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>Export as CSV</translation>
    </message>
    <message>
        <source>Export as Markdown</source>
        <translation>Export as Markdown</translation>
    </message>
    <message>
        <source>Import JSON</source>
        <translation>Import JSON</translation>
    </message>
    <message>
        <source>The find bar shows no enemies to print or export.</source>
        <translation>The find bar shows no enemies to print or export.</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::FindBar</name>
    <message>
        <source>&amp;Find:</source>
        <translation>&amp;Find:</translation>
    </message>
    <message>
        <source>Words in any column, in any width or kana</source>
        <translation>Words in any column, in any width or kana</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Close the find bar and show every enemy (Esc)</source>
        <translation>Close the find bar and show every enemy (Esc)</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n enemies</source>
        <translation>
            <numerusform>%1 of %n enemy</numerusform>
            <numerusform>%1 of %n enemies</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>grimtally::ui::TAboutBox</name>
    <message>
        <source>バージョン情報</source>
        <translation>About Grimtally</translation>
    </message>
    <message>
        <source>Grimtally</source>
        <translation>Grimtally</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Written and kept by the Grimtally developers</source>
        <translation>Written and kept by the Grimtally developers</translation>
    </message>
    <message>
        <source>Marrowfane RPG</source>
        <translation>Marrowfane RPG</translation>
    </message>
    <message>
        <source>A tabletop game of the Marrowfane circle</source>
        <translation>A tabletop game of the Marrowfane circle</translation>
    </message>
    <message>
        <source>Rule books from the Example Press</source>
        <translation>Rule books from the Example Press</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::TAutoGenerateDlg</name>
    <message>
        <source>自動生成設定</source>
        <translation>Generation Settings</translation>
    </message>
    <message>
        <source>能力傾向</source>
        <translation>Tendency</translation>
    </message>
    <message>
        <source>腕力派</source>
        <translation>Brawny</translation>
    </message>
    <message>
        <source>脚力派</source>
        <translation>Swift</translation>
    </message>
    <message>
        <source>知性派</source>
        <translation>Clever</translation>
    </message>
    <message>
        <source>腕力に劣る</source>
        <translation>Weak</translation>
    </message>
    <message>
        <source>脚力に劣る</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>知性に劣る</source>
        <translation>Dull</translation>
    </message>
    <message>
        <source>中庸</source>
        <translation>Balanced</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>All Checked</source>
        <translation>All Checked</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Generate</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Save Settings</translation>
    </message>
    <message>
        <source>Load Settings</source>
        <translation>Load Settings</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::TChoicesDlg</name>
    <message>
        <source>選択ダイアログ</source>
        <translation>Choice Dialog</translation>
    </message>
    <message>
        <source>Choices</source>
        <translation>Choices</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>特殊能力の選択</source>
        <translation>Choose Abilities</translation>
    </message>
    <message>
        <source>特殊能力</source>
        <translation>Abilities</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::TEditor1</name>
    <message>
        <source>Enemy Editor for Marrowfane</source>
        <translation>Enemy Editor for Marrowfane</translation>
    </message>
    <message>
        <source>筋力逆算</source>
        <translation>Est. Str.</translation>
    </message>
    <message>
        <source>Resist</source>
        <translation>Resist</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Generate</translation>
    </message>
    <message>
        <source>Load Choices</source>
        <translation>Load Choices</translation>
    </message>
    <message>
        <source>データを追加します。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>This adds the record.<byte value="xd"/>
<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>データを上書きします。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>This overwrites the record.<byte value="xd"/>
<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>編集したデータを保存しません。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>Your edits will not be saved.<byte value="xd"/>
<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>データを編集前のものに戻します。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>This puts the record back as it was before editing.<byte value="xd"/>
<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>データを新規作成のものと同じにします。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>This makes the record the same as a new one.<byte value="xd"/>
<byte value="xd"/>
Are you sure?</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::TForm1</name>
    <message>
        <source>Grimtally</source>
        <translation>Grimtally</translation>
    </message>
    <message>
        <source>&amp;Files</source>
        <translation>&amp;Files</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation>&amp;Merge</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Anew</source>
        <translation>&amp;Anew</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>Merge</translation>
    </message>
    <message>
        <source>Line %1 of %2 is not an enemy record and will not be kept.</source>
        <translation>Line %1 of %2 is not an enemy record and will not be kept.</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 and %2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Lines %1 of %2 are not enemy records and will not be kept.</source>
        <translation>Lines %1 of %2 are not enemy records and will not be kept.</translation>
    </message>
    <message>
        <source>%1 lines of %2 are not enemy records and will not be kept; the first %3 are lines %4.</source>
        <translation>%1 lines of %2 are not enemy records and will not be kept; the first %3 are lines %4.</translation>
    </message>
    <message>
        <source>%1 is %2 text (it begins with a byte-order mark), but enemy data files are Shift-JIS text. Nothing was read from it.</source>
        <translation>%1 is %2 text (it begins with a byte-order mark), but enemy data files are Shift-JIS text. Nothing was read from it.</translation>
    </message>
    <message>
        <source>敵データではありません。<byte value="xd"/>
選択しなおしてください。</source>
        <translation>This is not enemy data.<byte value="xd"/>
Please choose another file.</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>データを保存しますか？</source>
        <translation>Do you want to save the data?</translation>
    </message>
    <message>
        <source>%1を削除します。<byte value="xd"/>
よろしいですか？</source>
        <translation>This deletes %1.<byte value="xd"/>
Are you sure?</translation>
    </message>
    <message>
        <source>An earlier save of %1 was interrupted. Its content from before that save is kept in %2.<byte value="xd"/>
<byte value="xd"/>
Put that content back into %1?</source>
        <translation>An earlier save of %1 was interrupted. Its content from before that save is kept in %2.<byte value="xd"/>
<byte value="xd"/>
Put that content back into %1?</translation>
    </message>
    <message>
        <source>No opens the file as it is now; the copy stays until the file is saved again.</source>
        <translation>No opens the file as it is now; the copy stays until the file is saved again.</translation>
    </message>
    <message>
        <source>Find...</source>
        <translation>Find...</translation>
    </message>
    <message numerus="yes">
        <source>only the %n enemies the find bar shows</source>
        <translation>
            <numerusform>only the %n enemy the find bar shows</numerusform>
            <numerusform>only the %n enemies the find bar shows</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 was changed by another program since it was opened or saved.<byte value="xd"/>
<byte value="xd"/>
Write over it?</source>
        <translation>%1 was changed by another program since it was opened or saved.<byte value="xd"/>
<byte value="xd"/>
Write over it?</translation>
    </message>
    <message>
        <source>It is no longer there. Yes saves the collection under this name again, No chooses another name, Cancel writes nothing.</source>
        <translation>It is no longer there. Yes saves the collection under this name again, No chooses another name, Cancel writes nothing.</translation>
    </message>
    <message>
        <source>Yes writes over what the other program wrote, No chooses another name, Cancel writes nothing.</source>
        <translation>Yes writes over what the other program wrote, No chooses another name, Cancel writes nothing.</translation>
    </message>
    <message>
        <source>Unsaved changes can no longer be kept for recovery after a crash: %1<byte value="xd"/>
<byte value="xd"/>
Save the collection to keep them.</source>
        <translation>Unsaved changes can no longer be kept for recovery after a crash: %1<byte value="xd"/>
<byte value="xd"/>
Save the collection to keep them.</translation>
    </message>
    <message>
        <source>The file the changes were made to could not be read again (%1). They were put back onto an empty collection.</source>
        <translation>The file the changes were made to could not be read again (%1). They were put back onto an empty collection.</translation>
    </message>
    <message>
        <source>%1 was changed by another program since the earlier run. The unsaved changes were put back onto it as it is now.</source>
        <translation>%1 was changed by another program since the earlier run. The unsaved changes were put back onto it as it is now.</translation>
    </message>
    <message numerus="yes">
        <source>%n edited or deleted enemies were no longer found: edited ones were added at the end, deletions were not repeated.</source>
        <translation>
            <numerusform>%n edited or deleted enemy was no longer found: an edited one was added at the end, a deletion was not repeated.</numerusform>
            <numerusform>%n edited or deleted enemies were no longer found: edited ones were added at the end, deletions were not repeated.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The record of the unsaved changes was damaged after %n changes; those were restored.</source>
        <translation>
            <numerusform>The record of the unsaved changes was damaged after %n change; that one was restored.</numerusform>
            <numerusform>The record of the unsaved changes was damaged after %n changes; those were restored.</numerusform>
        </translation>
    </message>
    <message>
        <source>The damaged record is kept in %1.</source>
        <translation>The damaged record is kept in %1.</translation>
    </message>
    <message>
        <source>Unsaved changes from an earlier run were found. Restore them?</source>
        <translation>Unsaved changes from an earlier run were found. Restore them?</translation>
    </message>
    <message>
        <source>No keeps them in a file named grimtally-unsaved- and the date in the working folder.</source>
        <translation>No keeps them in a file named grimtally-unsaved- and the date in the working folder.</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::TForm2</name>
    <message>
        <source>Form2</source>
        <translation>Form2</translation>
    </message>
    <message>
        <source>モンスターレベルと攻撃方法、打撃点から、筋力を逆算します。</source>
        <translation>Works the strength back from level, attack and damage.</translation>
    </message>
    <message>
        <source>算出される筋力は目安で、実際の値と前後することもあります。</source>
        <translation>The result is a guide; the true value may differ a little.</translation>
    </message>
    <message>
        <source>Monster Level</source>
        <translation>Monster Level</translation>
    </message>
    <message>
        <source>攻撃方法</source>
        <translation>Attack</translation>
    </message>
    <message>
        <source>打撃点</source>
        <translation>Dmg.</translation>
    </message>
    <message>
        <source>推定筋力</source>
        <translation>Strength</translation>
    </message>
    <message>
        <source>計算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>送信</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>筋力逆算ダイアログ</source>
        <translation>Strength Estimate</translation>
    </message>
</context>
</TS>
