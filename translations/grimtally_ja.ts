<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>ChoiceFileError</name>
    <message>
        <source>the row needs a text and a whole number, separated by a comma.</source>
        <translation>行には、コンマで区切ったテキストと整数が必要です。</translation>
    </message>
    <message>
        <source>the row needs a key and a value, separated by a comma.</source>
        <translation>行には、コンマで区切ったキーと値が必要です。</translation>
    </message>
    <message>
        <source>the row needs four items: name, hit key, damage key and critical key.</source>
        <translation>行には、名前・命中キー・打撃キー・クリティカルキーの 4 項目が必要です。</translation>
    </message>
    <message>
        <source>the second item must be a whole number.</source>
        <translation>2 番目の項目は整数でなければなりません。</translation>
    </message>
    <message>
        <source>the number is too large.</source>
        <translation>数が大きすぎます。</translation>
    </message>
    <message>
        <source>%1, section [%2], row %3 &quot;%4&quot;: %5</source>
        <translation>%1 のセクション [%2] の %3 行目「%4」: %5</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Grimtally</source>
        <translation>Grimtally</translation>
    </message>
    <message>
        <source>There was not enough memory for this command; it stopped.</source>
        <translation>メモリが足りないため、コマンドを中止しました。</translation>
    </message>
    <message>
        <source>The command stopped because of an unexpected error.</source>
        <translation>予期しないエラーのため、コマンドを中止しました。</translation>
    </message>
    <message>
        <source>ファイルを上書きします。<byte value="xd"/>
よろしいですか？</source>
        <translation>ファイルを上書きします。<byte value="xd"/>
よろしいですか？</translation>
    </message>
</context>
<context>
    <name>LanguageFile</name>
    <message>
        <source>The words that can be read are used, and the default words for the rest. The file is not written back; save it as Shift-JIS text to have the program complete it.</source>
        <translation>読み取れた語を使い、残りは既定の語を使います。このファイルには書き戻しません。足りない語をプログラムに補わせるには、Shift-JIS のテキストとして保存してください。</translation>
    </message>
    <message>
        <source>The default words are used, and the file is left as it is.</source>
        <translation>既定の語を使います。ファイルはそのままにします。</translation>
    </message>
    <message>
        <source>%1: not Shift-JIS text but UTF-16</source>
        <translation>%1: Shift-JIS ではなく UTF-16 のテキストです</translation>
    </message>
    <message>
        <source>%1: not Shift-JIS text, it holds NUL bytes</source>
        <translation>%1: NUL バイトを含むため、Shift-JIS のテキストではありません</translation>
    </message>
</context>
<context>
    <name>RuleError</name>
    <message>
        <source>The %1 table has no row &quot;%2&quot; for the attack &quot;%3&quot;.</source>
        <translation>%1 表に、攻撃「%3」の「%2」の行がありません。</translation>
    </message>
    <message>
        <source>There is no attack method number %1 in the choice file.</source>
        <translation>選択肢ファイルに %1 番目の攻撃方法がありません。</translation>
    </message>
    <message>
        <source>The critical value &quot;%1&quot; of the attack &quot;%2&quot; is not a whole number.</source>
        <translation>攻撃「%2」のクリティカル値「%1」が整数ではありません。</translation>
    </message>
    <message>
        <source>The critical value of the attack &quot;%1&quot; is 36, which would divide by zero.</source>
        <translation>攻撃「%1」のクリティカル値が 36 のため、0 で割ることになります。</translation>
    </message>
    <message>
        <source>A critical value of 36 would divide by zero.</source>
        <translation>クリティカル値が 36 のため、0 で割ることになります。</translation>
    </message>
    <message>
        <source>A critical value of 72 would divide by zero.</source>
        <translation>クリティカル値が 72 のため、0 で割ることになります。</translation>
    </message>
    <message>
        <source>The critical table gives &quot;%1&quot; of the attack &quot;%2&quot; the value 72, which would divide by zero.</source>
        <translation>クリティカル表で攻撃「%2」の「%1」の値が 72 のため、0 で割ることになります。</translation>
    </message>
</context>
<context>
    <name>WorkFolder</name>
    <message>
        <source>The files Grimtally starts a new folder with are missing. Install Grimtally again.</source>
        <translation>Grimtally が新しいフォルダーに入れる付属のファイルが見つかりません。Grimtally をインストールし直してください。</translation>
    </message>
    <message>
        <source>Grimtally keeps its files in the folder %1, but that folder cannot be created or written.</source>
        <translation>Grimtally はファイルをフォルダー %1 に置きますが、このフォルダーを作成できないか、書き込めません。</translation>
    </message>
    <message>
        <source>Make it a folder you may write into, or start Grimtally from a terminal in a folder of your choice: it then works there.</source>
        <translation>書き込めるフォルダーにするか、端末から好きなフォルダーで Grimtally を起動してください。そのフォルダーで動作します。</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::ExchangeCommands</name>
    <message>
        <source>&amp;Print...</source>
        <translation>印刷(&amp;P)...</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>PDF に書き出し(&amp;D)...</translation>
    </message>
    <message>
        <source>&amp;Two Enemies per Page</source>
        <translation>1 ページに 2 体(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>書き出し(&amp;E)</translation>
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
        <translation>JSON から取り込み(&amp;I)...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>印刷...</translation>
    </message>
    <message>
        <source>Export as PDF...</source>
        <translation>PDF に書き出し...</translation>
    </message>
    <message>
        <source>There are no enemies to print or export.</source>
        <translation>印刷や書き出しをする敵がありません。</translation>
    </message>
    <message>
        <source>Export as PDF</source>
        <translation>PDF に書き出し</translation>
    </message>
    <message>
        <source>%1: the PDF could not be written.</source>
        <translation>%1: PDF を書き込めませんでした。</translation>
    </message>
    <message>
        <source>Export as JSON</source>
        <translation>JSON に書き出し</translation>
    </message>
    <message>
        <source>Export as CSV</source>
        <translation>CSV に書き出し</translation>
    </message>
    <message>
        <source>Export as Markdown</source>
        <translation>Markdown に書き出し</translation>
    </message>
    <message>
        <source>Import JSON</source>
        <translation>JSON から取り込み</translation>
    </message>
    <message>
        <source>The find bar shows no enemies to print or export.</source>
        <translation>検索バーに表示中の敵がいないため、印刷や書き出しはできません。</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::FindBar</name>
    <message>
        <source>&amp;Find:</source>
        <translation>検索(&amp;F):</translation>
    </message>
    <message>
        <source>Words in any column, in any width or kana</source>
        <translation>どの列の語でも、全角・半角やかな・カナの違いを問わず検索</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Close the find bar and show every enemy (Esc)</source>
        <translation>検索バーを閉じ、すべての敵を表示します (Esc)</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n enemies</source>
        <translation>
            <numerusform>%n体中%1体</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>grimtally::ui::TAboutBox</name>
    <message>
        <source>バージョン情報</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Grimtally</source>
        <translation>Grimtally</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>バージョン %1</translation>
    </message>
    <message>
        <source>Written and kept by the Grimtally developers</source>
        <translation>作成・保守：Grimtally 開発チーム</translation>
    </message>
    <message>
        <source>Marrowfane RPG</source>
        <translation>マロウフェイン RPG</translation>
    </message>
    <message>
        <source>A tabletop game of the Marrowfane circle</source>
        <translation>マロウフェイン・サークルのTRPG</translation>
    </message>
    <message>
        <source>Rule books from the Example Press</source>
        <translation>ルールブック：エグザンプル出版</translation>
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
        <translation>自動生成設定</translation>
    </message>
    <message>
        <source>能力傾向</source>
        <translation>能力傾向</translation>
    </message>
    <message>
        <source>腕力派</source>
        <translation>腕力派</translation>
    </message>
    <message>
        <source>脚力派</source>
        <translation>脚力派</translation>
    </message>
    <message>
        <source>知性派</source>
        <translation>知性派</translation>
    </message>
    <message>
        <source>腕力に劣る</source>
        <translation>腕力に劣る</translation>
    </message>
    <message>
        <source>脚力に劣る</source>
        <translation>脚力に劣る</translation>
    </message>
    <message>
        <source>知性に劣る</source>
        <translation>知性に劣る</translation>
    </message>
    <message>
        <source>中庸</source>
        <translation>中庸</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>リセット</translation>
    </message>
    <message>
        <source>All Checked</source>
        <translation>全てチェック</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>読込</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>生成</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>生成設定の保存</translation>
    </message>
    <message>
        <source>Load Settings</source>
        <translation>生成設定の読込</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::TChoicesDlg</name>
    <message>
        <source>選択ダイアログ</source>
        <translation>選択ダイアログ</translation>
    </message>
    <message>
        <source>Choices</source>
        <translation>選択肢</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>特殊能力の選択</source>
        <translation>特殊能力の選択</translation>
    </message>
    <message>
        <source>特殊能力</source>
        <translation>特殊能力</translation>
    </message>
</context>
<context>
    <name>grimtally::ui::TEditor1</name>
    <message>
        <source>Enemy Editor for Marrowfane</source>
        <translation>マロウフェイン用 敵エディタ</translation>
    </message>
    <message>
        <source>筋力逆算</source>
        <translation>筋力逆算</translation>
    </message>
    <message>
        <source>Resist</source>
        <translation>登録</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>再読込</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>初期化</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>自動生成</translation>
    </message>
    <message>
        <source>Load Choices</source>
        <translation>選択肢読込</translation>
    </message>
    <message>
        <source>データを追加します。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>データを追加します。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</translation>
    </message>
    <message>
        <source>データを上書きします。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>データを上書きします。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</translation>
    </message>
    <message>
        <source>編集したデータを保存しません。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>編集したデータを保存しません。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</translation>
    </message>
    <message>
        <source>データを編集前のものに戻します。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>データを編集前のものに戻します。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</translation>
    </message>
    <message>
        <source>データを新規作成のものと同じにします。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</source>
        <translation>データを新規作成のものと同じにします。<byte value="xd"/>
<byte value="xd"/>
よろしいですか？</translation>
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
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新規作成(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>開く(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Merge</source>
        <translation>追加読込(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>上書き保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Anew</source>
        <translation>名前を付けて保存(&amp;A)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>バージョン情報(&amp;A)</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Merge</source>
        <translation>追加読込</translation>
    </message>
    <message>
        <source>Line %1 of %2 is not an enemy record and will not be kept.</source>
        <translation>%2 の %1 行目は敵データではないため、取り込まれません。</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>Lines %1 of %2 are not enemy records and will not be kept.</source>
        <translation>%2 の %1 行目は敵データではないため、取り込まれません。</translation>
    </message>
    <message>
        <source>%1 lines of %2 are not enemy records and will not be kept; the first %3 are lines %4.</source>
        <translation>%2 の %1 行は敵データではないため、取り込まれません。そのうち最初の %3 行は %4 行目です。</translation>
    </message>
    <message>
        <source>%1 is %2 text (it begins with a byte-order mark), but enemy data files are Shift-JIS text. Nothing was read from it.</source>
        <translation>%1 は %2 のテキスト（バイト順マーク付き）ですが、敵データファイルは Shift-JIS のテキストです。何も読み込んでいません。</translation>
    </message>
    <message>
        <source>敵データではありません。<byte value="xd"/>
選択しなおしてください。</source>
        <translation>敵データではありません。<byte value="xd"/>
選択しなおしてください。</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <source>データを保存しますか？</source>
        <translation>データを保存しますか？</translation>
    </message>
    <message>
        <source>%1を削除します。<byte value="xd"/>
よろしいですか？</source>
        <translation>%1を削除します。<byte value="xd"/>
よろしいですか？</translation>
    </message>
    <message>
        <source>An earlier save of %1 was interrupted. Its content from before that save is kept in %2.<byte value="xd"/>
<byte value="xd"/>
Put that content back into %1?</source>
        <translation>%1 の前回の保存は途中で中断されました。その保存より前の内容は %2 に残っています。<byte value="xd"/>
<byte value="xd"/>
その内容を %1 に戻しますか？</translation>
    </message>
    <message>
        <source>No opens the file as it is now; the copy stays until the file is saved again.</source>
        <translation>「いいえ」を選ぶと、ファイルを今のまま開きます。コピーは、ファイルをもう一度保存するまで残ります。</translation>
    </message>
    <message>
        <source>Find...</source>
        <translation>検索...</translation>
    </message>
    <message numerus="yes">
        <source>only the %n enemies the find bar shows</source>
        <translation>
            <numerusform>検索バーに表示中の%n体のみ</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 was changed by another program since it was opened or saved.<byte value="xd"/>
<byte value="xd"/>
Write over it?</source>
        <translation>%1 は、開いたあとか保存したあとに別のプログラムによって変更されています。<byte value="xd"/>
<byte value="xd"/>
上書きしますか？</translation>
    </message>
    <message>
        <source>It is no longer there. Yes saves the collection under this name again, No chooses another name, Cancel writes nothing.</source>
        <translation>ファイルはもうありません。「はい」でこの名前でもう一度保存し、「いいえ」で別の名前を選び、「キャンセル」で何も書き込みません。</translation>
    </message>
    <message>
        <source>Yes writes over what the other program wrote, No chooses another name, Cancel writes nothing.</source>
        <translation>「はい」で別のプログラムが書き込んだ内容を上書きし、「いいえ」で別の名前を選び、「キャンセル」で何も書き込みません。</translation>
    </message>
    <message>
        <source>Unsaved changes can no longer be kept for recovery after a crash: %1<byte value="xd"/>
<byte value="xd"/>
Save the collection to keep them.</source>
        <translation>保存されていない変更を、異常終了に備えて記録できなくなりました: %1<byte value="xd"/>
<byte value="xd"/>
変更を残すにはデータを保存してください。</translation>
    </message>
    <message>
        <source>The file the changes were made to could not be read again (%1). They were put back onto an empty collection.</source>
        <translation>変更のもとになったファイルを読み直せませんでした（%1）。変更は空のデータの上に復元しました。</translation>
    </message>
    <message>
        <source>%1 was changed by another program since the earlier run. The unsaved changes were put back onto it as it is now.</source>
        <translation>%1 は前回の実行のあとに別のプログラムによって変更されています。保存されていない変更は、今のその内容の上に復元しました。</translation>
    </message>
    <message numerus="yes">
        <source>%n edited or deleted enemies were no longer found: edited ones were added at the end, deletions were not repeated.</source>
        <translation>
            <numerusform>編集または削除した敵のうち %n 件が見つかりませんでした。編集したものは末尾に追加し、削除はやり直していません。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The record of the unsaved changes was damaged after %n changes; those were restored.</source>
        <translation>
            <numerusform>保存されていない変更の記録は %n 件目のあとで壊れていました。そこまでの変更を復元しました。</numerusform>
        </translation>
    </message>
    <message>
        <source>The damaged record is kept in %1.</source>
        <translation>壊れた記録は %1 に残してあります。</translation>
    </message>
    <message>
        <source>Unsaved changes from an earlier run were found. Restore them?</source>
        <translation>前回の実行で保存されていない変更が見つかりました。復元しますか？</translation>
    </message>
    <message>
        <source>No keeps them in a file named grimtally-unsaved- and the date in the working folder.</source>
        <translation>「いいえ」を選ぶと、作業フォルダーの grimtally-unsaved- と日付の名前のファイルに残します。</translation>
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
        <translation>モンスターレベルと攻撃方法、打撃点から、筋力を逆算します。</translation>
    </message>
    <message>
        <source>算出される筋力は目安で、実際の値と前後することもあります。</source>
        <translation>算出される筋力は目安で、実際の値と前後することもあります。</translation>
    </message>
    <message>
        <source>Monster Level</source>
        <translation>レベル</translation>
    </message>
    <message>
        <source>攻撃方法</source>
        <translation>攻撃方法</translation>
    </message>
    <message>
        <source>打撃点</source>
        <translation>打撃点</translation>
    </message>
    <message>
        <source>推定筋力</source>
        <translation>推定筋力</translation>
    </message>
    <message>
        <source>計算</source>
        <translation>計算</translation>
    </message>
    <message>
        <source>送信</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>筋力逆算ダイアログ</source>
        <translation>筋力逆算ダイアログ</translation>
    </message>
</context>
</TS>
