<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>platform::Navigation</name>
    <message>
        <source>終了していいですか？</source>
        <translation>Do you want to quit Sorvena?</translation>
    </message>
</context>
<context>
    <name>classroom::Session</name>
    <message>
        <source>生徒 %1</source>
        <comment>the name a pupil is shown by, numbered in the order they joined</comment>
        <translation>Pupil %1</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>制作&#x3000;ソルヴェナ開発室</source>
        <translation>By the Sorvena team</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Sorvena %1</source>
        <comment>the title bar: the name and the credit line</comment>
        <translation>Sorvena – %1</translation>
    </message>
</context>
<context>
    <name>Form18</name>
    <message>
        <source>&#x3000;&#x3000;&#x3000;正多角形を円に内接させて、その辺の数を、
&#x3000;&#x3000;だんだん大きくしていくことによって、円周の
&#x3000;&#x3000;長さを計算する方法が、昔から円周率πの近
&#x3000;&#x3000;似値の計算に用いられていました。</source>
        <translation>Inscribe a regular polygon in a circle and give it more and more sides: its perimeter comes ever closer to the circumference. Since ancient times, π has been approximated this way.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;半径 ｒ の円の円周を ｓ とすると、</source>
        <translation>The circumference s of a circle of radius r is</translation>
    </message>
    <message>
        <source>{12|&#x3000;&#x3000;&#x3000;&#x3000;ｓ＝２πｒ}&#x3000;･･････････&#x3000;①</source>
        <translation>{12|s = 2πr} ․․․․․․․․․ ①</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;が成り立ちます。</source>
        <translation>by the definition of π.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;この円に内接する正n角形の周の長さ ｕ は、
&#x3000;&#x3000;ｎ をだんだん大きくしていくと、</source>
        <translation>Let u be the perimeter of the regular polygon with n sides inscribed in this circle. As n grows larger and larger,</translation>
    </message>
    <message>
        <source>{12|&#x3000;&#x3000;&#x3000;&#x3000;ｓ≒ｕ}&#x3000;･･････････&#x3000;②</source>
        <translation>{12|s ≈ u} ․․․․․․․․․ ②</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;が成立すると考えられます。</source>
        <translation>becomes more and more accurate.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;よって、②を①に代入すると、</source>
        <translation>So, putting ② into ①,</translation>
    </message>
    <message>
        <source>{12|&#x3000;&#x3000;&#x3000;&#x3000;π≒ｕ÷(２ｒ)}&#x3000;･･････････&#x3000;③</source>
        <translation>{12|π ≈ u/(2r)} ․․․․․․․․․ ③</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;となります。</source>
        <translation>follows, for large n.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;③より、ｕ を求めれば円周率πの近似値
&#x3000;&#x3000;がわかるというわけです。</source>
        <translation>By ③, once we know u, we know an approximate value of π.</translation>
    </message>
    <message>
        <source>円の内接正多角形の周の長さからπの近似値を求める</source>
        <translation>Approximating π with the perimeters of polygons inscribed in a circle</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>メニュー</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>解説</source>
        <translation>Explain</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>手動</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>正何角形まで見ますか？（３以上の自然数を入力してください．．．）</source>
        <translation>How many sides shall the last polygon have? (Enter a whole number, 3 or more.)</translation>
    </message>
    <message>
        <source>正何角形までの設定</source>
        <translation>Number of sides</translation>
    </message>
    <message>
        <source>［中止］をクリックすると止まります．．．</source>
        <translation>Click [Stop] to stop.</translation>
    </message>
    <message>
        <source>正%1角形</source>
        <translation>Regular polygon with%1 sides</translation>
    </message>
    <message>
        <source>πの近似値＝%1</source>
        <comment>a number without a leading blank</comment>
        <translation>π ≈ %1</translation>
    </message>
    <message>
        <source>πの近似値＝%1</source>
        <comment>a number after its sign&apos;s blank</comment>
        <translation>π ≈%1</translation>
    </message>
    <message>
        <source>円に内接する正%1角形</source>
        <translation>A regular polygon with %1 sides inscribed in a circle</translation>
    </message>
    <message>
        <source>「自動」が使えます</source>
        <translation>Auto can be used now</translation>
    </message>
</context>
<context>
    <name>Form19</name>
    <message>
        <source>&#x3000;&#x3000;&#x3000;確率を利用して図形の面積や体積を求める
&#x3000;&#x3000;方法を{12|モンテカルロ法}といいます。</source>
        <translation>Using chance to find areas or volumes is called the {12|Monte Carlo method}.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;平面上に、一辺の長さ ２ｒ の正方形とそれ
&#x3000;&#x3000;に内接する半径 ｒ の円を描いておきます。</source>
        <translation>Draw a square of side 2r and the circle of radius r that fits inside it.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;この正方形内にｎ個の点をデタラメに打ちま
&#x3000;&#x3000;す。このうち、円内にｍ個の点が打たれている
&#x3000;&#x3000;とすると、</source>
        <translation>Throw n points into the square at random. If m of them land inside the circle,</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;比例式&#x3000;正方形の面積：円の面積＝ｎ：ｍ が
&#x3000;&#x3000;成立すると考えられます。</source>
        <translation>then we can expect area&#xa0;of&#xa0;square&#xa0;:&#xa0;area&#xa0;of&#xa0;circle&#xa0;≈&#xa0;n&#xa0;:&#xa0;m.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;よって、</source>
        <translation>That is,</translation>
    </message>
    <message>
        <source>{12|&#x3000;&#x3000;&#x3000;&#x3000;２ｒ×２ｒ ： π×ｒ×ｒ ＝ ｎ ： ｍ}&#x3000;･･･････&#x3000;①</source>
        <translation>{12|2r × 2r : π × r × r ≈ n : m} ․․․․․․․ ①</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;が成り立ちます。</source>
        <translation>when n is large.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;①より、</source>
        <translation>From ①,</translation>
    </message>
    <message>
        <source>{12|&#x3000;&#x3000;&#x3000;&#x3000;π≒(４ｍ)÷ｎ}&#x3000;･･････････&#x3000;②</source>
        <translation>{12|π ≈ 4m/n} ․․․․․․․․․ ②</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;となります。</source>
        <translation>follows.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;②より、ｎ と ｍ を実験で求めれば円周率π
&#x3000;&#x3000;の近似値がわかるというわけです。</source>
        <translation>By ②, counting n and m in an experiment gives an approximate value of π.</translation>
    </message>
    <message>
        <source>モンテカルロ法を利用してπの近似値を求める</source>
        <translation>Approximating π with the Monte Carlo method</translation>
    </message>
    <message>
        <source>何個の点を打ちますか？（１０以上、１００００以下の自然数を入力してください．．．）</source>
        <translation>How many points shall we throw? (Enter a whole number from 10 to 10000.)</translation>
    </message>
    <message>
        <source>打つ点の個数の設定</source>
        <translation>Number of points</translation>
    </message>
    <message>
        <source>打った点の総数＝%1 / %2</source>
        <comment>two numbers, each after its sign&apos;s blank</comment>
        <translation>Points thrown:%1 of%2</translation>
    </message>
    <message>
        <source>円の内に入った点の個数＝%1</source>
        <comment>a number after its sign&apos;s blank</comment>
        <translation>Points inside the circle:%1</translation>
    </message>
    <message>
        <source>π＝%1</source>
        <comment>a number without a leading blank</comment>
        <translation>π ≈ %1</translation>
    </message>
    <message>
        <source>打った点 %1 個、円の内 %2 個</source>
        <translation>%1 points thrown, %2 inside the circle</translation>
    </message>
</context>
<context>
    <name>Form20</name>
    <message>
        <source>{12|&#x3000;&#x3000;&#x3000;ビュホン}(Buffon 1707-1788)は、針を投げて
&#x3000;&#x3000;円周率πを求めました。</source>
        <translation>{12|Buffon} posed this problem in 1733; Laplace later proposed it to estimate π.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;平面上に、幅２ａの間隔で平行線を無数に引
&#x3000;&#x3000;いておきます。この平面上に長さ２ｂの針を落
&#x3000;&#x3000;とすと、この針が平行線と交わる確率Ｐは、</source>
        <translation>Draw parallel lines 2a apart and drop a needle of length 2b on them. It crosses a line with probability</translation>
    </message>
    <message>
        <source>{12|&#x3000;&#x3000;&#x3000;&#x3000;Ｐ＝(２ｂ)÷(ａπ)}&#x3000;･･････････&#x3000;①</source>
        <translation>{12|P = 2b/(πa)} ․․․․․․․․․ ①</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;となります。ただし、ｂ＜ａ&#x3000;とします。</source>
        <translation>provided that b &lt; a.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;平面上にたくさんの針を落としたとき、平行線
&#x3000;&#x3000;に交わった針の本数の相対度数を ｒ とすると、</source>
        <translation>Drop many needles. If a fraction r of them cross a line, then</translation>
    </message>
    <message>
        <source>{12|&#x3000;&#x3000;&#x3000;&#x3000;ｒ≒ｐ}&#x3000;･･････････&#x3000;②&#x3000;と考えられます。</source>
        <translation>{12|r ≈ P} ․․․․․․․․․ ②</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;①、②より、</source>
        <translation>From ① and ②, we get</translation>
    </message>
    <message>
        <source>{12|&#x3000;&#x3000;&#x3000;&#x3000;π≒(２ｂ)÷(ａｒ)}&#x3000;･･････････&#x3000;③&#x3000;となります。</source>
        <translation>{12|π ≈ 2b/(ar)} ․․․․․․․․․ ③</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;③より、相対度数 ｒ を実験で求めれば円周率
&#x3000;&#x3000;πの近似値がわかるというわけです。</source>
        <translation>So ③ estimates π from a measured r.</translation>
    </message>
    <message>
        <source>{9|&#x3000;＜①の証明の概略＞}</source>
        <translation>{9|Outline of a proof of ①}</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;針の中心から最も近い平行線までの距離をｙ、
&#x3000;&#x3000;針と平行線のなす角をθとします。</source>
        <translation>Let y be the distance from the needle&apos;s centre to the nearest line, and θ its angle to the lines.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;このとき、０≦ｙ≦ａ、０≦θ≦π です。</source>
        <translation>Then 0 ≤ y ≤ a and 0 ≤ θ ≤ π.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;針が平行線と交わる条件は、</source>
        <translation>The needle crosses a line when</translation>
    </message>
    <message>
        <source>{12|&#x3000;&#x3000;&#x3000;&#x3000;ｘ≦ｂｓｉｎθ}&#x3000;が成り立つことです。</source>
        <translation>{12|y ≤ b sin θ}.</translation>
    </message>
    <message>
        <source>ビュホンの針を利用してπの近似値を求める</source>
        <translation>Approximating π with Buffon&apos;s needle</translation>
    </message>
    <message>
        <source>何本の針を落としますか？（１０以上、２００００以下の自然数を入力してください．．．）</source>
        <translation>How many needles shall we drop? (Enter a whole number from 10 to 20,000.)</translation>
    </message>
    <message>
        <source>落とす針の本数の設定</source>
        <translation>Number of needles</translation>
    </message>
    <message>
        <source>落とした針の総数＝%1 / %2</source>
        <comment>two numbers, each after its sign&apos;s blank</comment>
        <translation>Needles dropped:%1 of%2</translation>
    </message>
    <message>
        <source>直線と交わった針の本数＝%1</source>
        <comment>a number after its sign&apos;s blank</comment>
        <translation>Needles crossing a line:%1</translation>
    </message>
    <message>
        <source>π＝%1</source>
        <comment>a number without a leading blank</comment>
        <translation>π ≈ %1</translation>
    </message>
    <message>
        <source>平行線と落とした針 %1 本、線と交わった針 %2 本</source>
        <translation>Parallel lines and %1 dropped needles, %2 of them crossing a line</translation>
    </message>
</context>
<context>
    <name>Form7</name>
    <message>
        <source>8つの方法の収束を比べる…</source>
        <translation>Compare how the eight methods converge…</translation>
    </message>
    <message>
        <source>終&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Ctrl+K で、8つの方法の収束を比べるウィンドウが開きます。</source>
        <translation>Ctrl+K opens a window that compares how fast the eight methods converge.</translation>
    </message>
</context>
<context>
    <name>Series</name>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;この公式を使って、パソコンでπを計算してみましょう。</source>
        <translation>Let&apos;s use this formula to work out π on the computer.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;正しいπの近似値 3.1415926535897932･･･ と比べてみまょう。</source>
        <translation>Then compare the result with π&#xa0;=&#xa0;3.1415926535897932…</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;【計算】をクリックしてください。</source>
        <translation>Click [Calculate] to start.</translation>
    </message>
    <message>
        <source>マツナガ ヨシスケの公式１を利用してπの近似値を求める</source>
        <translation>Approximating π with Matsunaga Yoshisuke&apos;s formula 1</translation>
    </message>
    <message>
        <source>第何項目まで計算させますか？（２以上の自然数を入力してください．．．）</source>
        <translation>How many terms shall the computer add up? (Enter a whole number, 2 or more.)</translation>
    </message>
    <message>
        <source>計算させる項数の入力</source>
        <translation>Number of terms</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;第１００項まで計算します。</source>
        <translation>The computer will add up the first 100 terms instead.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;マツナガ ヨシスケは1739年、上の公式を使ってπの近似値を求めました。</source>
        <translation>Matsunaga Yoshisuke computed π with this series in 1739.</translation>
    </message>
    <message>
        <source>マツナガ ヨシスケの公式２を利用してπの近似値を求める</source>
        <translation>Approximating π with Matsunaga Yoshisuke&apos;s formula 2</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;第５０項まで計算します。</source>
        <translation>The computer will add up the first 50 terms instead.</translation>
    </message>
    <message>
        <source>ウォーリスの公式を利用してπの近似値を求める</source>
        <translation>Approximating π with Wallis&apos;s formula</translation>
    </message>
    <message>
        <source>分母・分子それぞれ何個の数字をかけ算させますか？（２以上の自然数を入力してください．．．）</source>
        <translation>How many factors shall the numerator and the denominator each have? (Enter a whole number, 2 or more.)</translation>
    </message>
    <message>
        <source>かけ算させる数字の数の入力</source>
        <translation>Number of factors</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;分母・分子、それぞれ１００００個の数字をかけ算します。</source>
        <translation>Numerator and denominator will each have 10,000 factors instead.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;ウォーリスは、上の公式を使ってπの近似値を求めました。</source>
        <translation>Wallis published this product in 1656.</translation>
    </message>
    <message>
        <source>グレゴリー・ライプニッツの公式を利用してπの近似値を求める</source>
        <translation>Approximating π with the Gregory–Leibniz formula</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;第１００００項まで計算します。</source>
        <translation>The computer will add up the first 10,000 terms instead.</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;グレゴリー(1671)とライプニッツ(1673)は、上の公式を使ってπの近似値を求めました。</source>
        <translation>Madhava (c. 1400), Gregory (1671) and Leibniz (1673) found it.</translation>
    </message>
    <message>
        <source>オイラーの公式を利用してπの近似値を求める</source>
        <translation>Approximating π with Euler&apos;s formula</translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;&#x3000;オイラーは、上の公式を使ってπの近似値を求めました。</source>
        <translation>Euler found this series.</translation>
    </message>
</context>
<context>
    <name>Services</name>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
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
        <source>取り消しました。</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>「%1」は使えないため、取り消しました。</source>
        <translation>“%1” cannot be used, so nothing was started.</translation>
    </message>
</context>
<context>
    <name>charts::ComparisonWindow</name>
    <message>
        <source>乱数の種(&amp;S)：</source>
        <translation>&amp;Seed:</translation>
    </message>
    <message>
        <source>この種で同じ実験ができます：sorvena --table montecarlo N --seed 種 --continuous</source>
        <translation>This seed makes the same experiment again: sorvena --table montecarlo N --seed SEED --continuous</translation>
    </message>
    <message>
        <source>乱数の種 %1 で実験しました</source>
        <translation>Experimented with the seed %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>; </translation>
    </message>
    <message>
        <source>ここの実験は、点と針をウィンドウのような格子の上ではなく、どこにでも倍精度で投げます。格子の上では、とても多く投げると π から少しずれた値に落ち着いてしまうからです。</source>
        <translation>Here the experiments throw their points and needles anywhere, in double precision, not on a grid as the windows do: on a grid, a great many throws settle on a value a little off π.</translation>
    </message>
    <message>
        <source>実験（モンテカルロ法とビュホンの針）は、格子の上ではなく、どこにでも倍精度で投げています。</source>
        <translation>The experiments (Monte Carlo and Buffon&apos;s needle) throw anywhere, in double precision, not on a grid.</translation>
    </message>
    <message>
        <source>誤差：%1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>収束を比べる</source>
        <translation>Comparing convergence</translation>
    </message>
    <message>
        <source>段数 N の上限(&amp;N)：</source>
        <translation>&amp;Largest number of steps N:</translation>
    </message>
    <message>
        <source>もう一度</source>
        <translation>Again</translation>
    </message>
    <message>
        <source>実験をもう一度、新しい乱数で行います (Ctrl+R)</source>
        <translation>Runs the experiments again with new random numbers (Ctrl+R)</translation>
    </message>
    <message>
        <source>グラフを保存…</source>
        <translation>Save graph…</translation>
    </message>
    <message>
        <source>PNG か SVG で保存します (Ctrl+S)</source>
        <translation>Saves as PNG or SVG (Ctrl+S)</translation>
    </message>
    <message>
        <source>CSV を保存…</source>
        <translation>Save CSV…</translation>
    </message>
    <message>
        <source>表のデータを CSV で保存します (Ctrl+E)</source>
        <translation>Saves the table&apos;s data as CSV (Ctrl+E)</translation>
    </message>
    <message>
        <source>誤差 |π − 値| と段数 n（両対数）</source>
        <translation>Error |π − value| against steps n (log–log)</translation>
    </message>
    <message>
        <source>段数 n（項・因数・辺・点・針の数）</source>
        <translation>Steps n (terms, factors, sides, points or needles)</translation>
    </message>
    <message>
        <source>誤差 |π − 値|</source>
        <translation>Error |π − value|</translation>
    </message>
    <message>
        <source>収束のグラフ</source>
        <translation>Convergence graph</translation>
    </message>
    <message>
        <source>収束の表</source>
        <translation>Convergence table</translation>
    </message>
    <message>
        <source>グラフ(&amp;G)</source>
        <translation>&amp;Graph</translation>
    </message>
    <message>
        <source>表(&amp;T)</source>
        <translation>&amp;Table</translation>
    </message>
    <message>
        <source>モンテカルロ法の標準誤差 σ と 90% の帯</source>
        <translation>Monte Carlo method: standard error σ and 90% band</translation>
    </message>
    <message>
        <source>ビュホンの針の標準誤差 σ と 90% の帯</source>
        <translation>Buffon&apos;s needle: standard error σ and 90% band</translation>
    </message>
    <message>
        <source>倍精度の限界（ここで止まる）</source>
        <translation>Limit of double precision (stops here)</translation>
    </message>
    <message>
        <source>n＝%1</source>
        <translation>n = %1</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>両対数のグラフ。横軸は段数 n で 1 から %1 まで、縦軸は誤差 |π − 値| で 10⁻¹⁶ から 10 まで。8つの方法の曲線と、実験の標準誤差の範囲。</source>
        <translation>A log–log graph. Across: the steps n from 1 to %1. Up: the error, how far the value is from π, from 10⁻¹⁶ to 10. A curve for each of the eight methods, and the range of the standard error of the experiments.</translation>
    </message>
    <message>
        <source>%1：n＝%2 で誤差 %3</source>
        <translation>%1: error %3 at n = %2</translation>
    </message>
    <message>
        <source>（n＝%1 で倍精度の限界に達して止まる）</source>
        <translation> (stops at n = %1, the limit of double precision)</translation>
    </message>
    <message>
        <source>。</source>
        <translation>.</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>SVG 画像 (*.svg)</source>
        <translation>SVG image (*.svg)</translation>
    </message>
    <message>
        <source>グラフを保存</source>
        <translation>Save graph</translation>
    </message>
    <message>
        <source>%1 に保存できませんでした。</source>
        <translation>Could not save to %1.</translation>
    </message>
    <message>
        <source>CSV を保存</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>CSV ファイル (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
    <message>
        <source>段数 N の上限：%1</source>
        <translation>Largest number of steps N: %1</translation>
    </message>
    <message>
        <source>新しい乱数で実験しました。n＝%1 で、%2 は %3、%4 は %5。</source>
        <translation>Experiments again, with new random numbers. At n = %1, %2 gives %3, and %4 gives %5.</translation>
    </message>
    <message>
        <source>保存しました：%1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>%1、n＝%2、%3</source>
        <translation>%1, n = %2, %3</translation>
    </message>
    <message>
        <source>%1（傾き %2）</source>
        <comment>a guide line and its slope</comment>
        <translation>%1 (slope %2)</translation>
    </message>
    <message>
        <source>円の外接正多角形（上から近づく）</source>
        <translation>Circumscribed polygons (from above)</translation>
    </message>
    <message>
        <source>アルキメデスの倍加（正6角形から倍々に、平方根だけで）</source>
        <translation>Archimedes&apos; doubling (from the hexagon, by square roots only)</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>a curve and the slope of its error</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>○ 正6角形から倍々に平方根だけで、正%1角形：%2 &lt; π &lt; %3&#x3000;／&#x3000;アルキメデス自身の答え：3 10/71 &lt; π &lt; 3 1/7</source>
        <translation>○ Hexagon doubled by square roots only, %1 sides: %2 &lt; π &lt; %3 / Archimedes: 3 10/71 &lt; π &lt; 3 1/7</translation>
    </message>
    <message>
        <source>（%1 &lt; π &lt; %2）</source>
        <comment>Archimedes&apos; fractions as decimals</comment>
        <translation> (%1 &lt; π &lt; %2)</translation>
    </message>
    <message>
        <source>名前の後の数は誤差の傾き（両対数で、最後の1桁の n から求めたもの。実験は全体から）。灰色の点線は傾き −0.5、−1、−2 の目安。</source>
        <translation>The number after each name is the slope of its error on the log–log axes, fitted over the last decade of n (the experiments&apos; over the whole run). The grey dashed lines are guides of slope −0.5, −1 and −2.</translation>
    </message>
    <message>
        <source>、傾き %1</source>
        <translation>, slope %1</translation>
    </message>
</context>
<context>
    <name>charts::TraceChart</name>
    <message>
        <source>推定値のグラフ</source>
        <translation>Graph of the estimate</translation>
    </message>
    <message>
        <source>π</source>
        <translation>π</translation>
    </message>
    <message>
        <source>推定値</source>
        <translation>Estimate</translation>
    </message>
    <message>
        <source>誤差</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>ｎ</source>
        <translation>n</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>誤差 |π－値|</source>
        <translation>Error |π − value|</translation>
    </message>
    <message>
        <source>外接正多角形</source>
        <translation>circumscribed polygon</translation>
    </message>
    <message>
        <source>グラフを画像で保存…</source>
        <translation>Save the graph as a picture…</translation>
    </message>
    <message>
        <source>点を CSV で保存…</source>
        <translation>Save the points as CSV…</translation>
    </message>
    <message>
        <source>グラフを画像で保存</source>
        <translation>Save the graph as a picture</translation>
    </message>
    <message>
        <source>点を CSV で保存</source>
        <translation>Save the points as CSV</translation>
    </message>
</context>
<context>
    <name>lesson::LessonController</name>
    <message>
        <source>速さ、プラスとマイナスのキーで変わります</source>
        <translation>Speed, changed by the plus and minus keys</translation>
    </message>
    <message>
        <source>消音中</source>
        <translation>Muted</translation>
    </message>
    <message>
        <source>授業モードの窓を隠しました。Ｈで戻ります。</source>
        <translation>The lesson controller is hidden. H brings it back.</translation>
    </message>
    <message>
        <source>授業モードの窓を出しました</source>
        <translation>The lesson controller is shown</translation>
    </message>
    <message>
        <source>%1 &lt; π &lt; %2（正%3角形の内と外）</source>
        <translation>%1 &lt; π &lt; %2 at %3 sides</translation>
    </message>
    <message>
        <source>１回ずつ</source>
        <translation>By hand</translation>
    </message>
    <message>
        <source>ステップボタンを押すたびに１ステップ</source>
        <translation>One step each time you press the step button</translation>
    </message>
    <message>
        <source>ゆっくり</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>１秒に２ステップ</source>
        <translation>2 steps a second</translation>
    </message>
    <message>
        <source>ふつう</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>１秒に２０ステップ</source>
        <translation>20 steps a second</translation>
    </message>
    <message>
        <source>はやく</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>１秒に２００ステップ</source>
        <translation>200 steps a second</translation>
    </message>
    <message>
        <source>全速</source>
        <translation>Full speed</translation>
    </message>
    <message>
        <source>いつもの速さ</source>
        <translation>The usual speed</translation>
    </message>
    <message>
        <source>授業モード</source>
        <translation>Lesson mode</translation>
    </message>
    <message>
        <source>Ｐで一時停止と再開、Ｓで１ステップ、プラスとマイナスで速さを変え、Ｍで消音、Ｒでいまの値を読み上げ、Ｆ６で計算の窓に移り、Ｈでこの窓を隠します。このキーは計算の窓でも使えます。モンテカルロ法とビュホンの針では、Ｃでクラスの実験を開きます。グラフの上で右クリックかメニューキー（シフトとＦ１０でも）を押すと、グラフを画像に、点を CSV に保存するメニューが開きます。</source>
        <translation>P pauses and resumes, S takes one step, plus and minus change the speed, M mutes the sound, R reads the current value aloud, F6 goes to the method window, and H hides this window. These keys work in the method window too. Beside Monte Carlo and Buffon's needle, C opens the class experiment. On the graph, a right click or the Menu key (or Shift+F10) opens a menu that saves the graph as a picture and the points as CSV.</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <comment>a graph&apos;s title: the method, then the graph</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>授業モードです。Ｆ６で計算の窓と授業モードの窓を行き来し、Ｒでいまの値を読み上げます。</source>
        <translation>Lesson mode is on. F6 moves between the method window and the lesson controller, and R reads the current value aloud.</translation>
    </message>
    <message>
        <source>行き先の窓がありません</source>
        <translation>There is no window to go to</translation>
    </message>
    <message>
        <source>速さ（＋&#x3000;－）</source>
        <translation>Speed (+ −)</translation>
    </message>
    <message>
        <source>速さ：%1（%2）</source>
        <translation>Speed: %1 (%2)</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>１ステップ →</source>
        <translation>1 step →</translation>
    </message>
    <message>
        <source>１ステップ進める</source>
        <translation>Go one step</translation>
    </message>
    <message>
        <source>消音</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>消音（合図の音と曲）</source>
        <translation>Mute (the cues and the tune)</translation>
    </message>
    <message>
        <source>いまの値</source>
        <translation>Value now</translation>
    </message>
    <message>
        <source>π</source>
        <translation>π</translation>
    </message>
    <message>
        <source>πの正しい値 %1</source>
        <translation>The true value of π %1</translation>
    </message>
    <message>
        <source>値のグラフ</source>
        <translation>Value graph</translation>
    </message>
    <message>
        <source>グラフ：値とｎ</source>
        <translation>Graph: the value against n</translation>
    </message>
    <message>
        <source>誤差のグラフ（対数）</source>
        <translation>Error graph (log)</translation>
    </message>
    <message>
        <source>グラフ：誤差とｎ、対数目盛</source>
        <translation>Graph: the error against n, on a logarithmic scale</translation>
    </message>
    <message>
        <source>再開</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>正しい桁数：－</source>
        <translation>Correct digits: –</translation>
    </message>
    <message numerus="yes">
        <source>正しい桁数：%n 桁</source>
        <translation>
            <numerusform>Correct digits: %n</numerusform>
            <numerusform>Correct digits: %n</numerusform>
        </translation>
    </message>
    <message>
        <source>ｎ＝%1</source>
        <translation>n = %1</translation>
    </message>
    <message>
        <source>%1×10のマイナス%2乗</source>
        <comment>an error, as 1.2×10⁻⁵ is read</comment>
        <translation>%1 times 10 to the minus %2</translation>
    </message>
    <message>
        <source>計算中ではありません</source>
        <translation>Nothing is running</translation>
    </message>
    <message>
        <source>一時停止</source>
        <comment>said: the run is paused now</comment>
        <translation>Paused</translation>
    </message>
    <message>
        <source>再開</source>
        <comment>said: the run goes on</comment>
        <translation>Resumed</translation>
    </message>
    <message>
        <source>１ステップ：%1</source>
        <comment>said: the run went one step on, and where it is now</comment>
        <translation>One step: %1</translation>
    </message>
    <message>
        <source>消音</source>
        <comment>said: the sound is off now</comment>
        <translation>Muted</translation>
    </message>
    <message>
        <source>消音を解除</source>
        <comment>said: the sound is on again</comment>
        <translation>Sound on</translation>
    </message>
    <message>
        <source>速さ：%1</source>
        <translation>Speed: %1</translation>
    </message>
    <message>
        <source>いまの値 なし</source>
        <translation>Value now: none</translation>
    </message>
    <message>
        <source>いまの値 %1</source>
        <translation>Value now %1</translation>
    </message>
    <message>
        <source>%1 ± %2</source>
        <comment>an estimate and its standard error</comment>
        <translation>%1 ± %2</translation>
    </message>
    <message>
        <source>正しい桁数 なし</source>
        <translation>Correct digits: none</translation>
    </message>
    <message numerus="yes">
        <source>正しい桁数 %n 桁</source>
        <translation>
            <numerusform>%n correct digit</numerusform>
            <numerusform>%n correct digits</numerusform>
        </translation>
    </message>
    <message>
        <source>まだ点がありません</source>
        <translation>No points yet</translation>
    </message>
    <message>
        <source>πの上下に振れています</source>
        <translation>swings above and below π</translation>
    </message>
    <message>
        <source>πから離れています</source>
        <translation>moves away from π</translation>
    </message>
    <message>
        <source>πの上から落ち着いて近づいています</source>
        <translation>settles towards π from above</translation>
    </message>
    <message>
        <source>πの下から落ち着いて近づいています</source>
        <translation>settles towards π from below</translation>
    </message>
    <message>
        <source>πと同じです</source>
        <translation>equal to π</translation>
    </message>
    <message>
        <source>%1：ｎ＝%2、最後の値 %3、誤差 %4</source>
        <translation>%1: n = %2, last value %3, error %4</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>クラスで投げる（Ｃ）</source>
        <translation>Throw as a class (C)</translation>
    </message>
    <message>
        <source>クラスの実験を開く：生徒がブラウザーから参加して、いっしょに投げます</source>
        <translation>Open the class experiment: pupils join from their browsers and throw together</translation>
    </message>
</context>
<context>
    <name>platform::narrator</name>
    <message>
        <source>説明と図（まだ空です）</source>
        <translation>Explanation and drawing (empty for now)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>series::SeriesWindow</name>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>メニュー</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>計&#x3000;&#x3000;算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>［中止］をクリックすると止まります．．．</source>
        <translation>Click [Stop] to stop.</translation>
    </message>
    <message>
        <source>π＝%1</source>
        <comment>a number without a leading blank</comment>
        <translation>π ≈ %1</translation>
    </message>
    <message>
        <source>π＝%1</source>
        <comment>a number after its sign&apos;s blank</comment>
        <translation>π ≈%1</translation>
    </message>
    <message>
        <source>計算した項</source>
        <translation>Terms computed</translation>
    </message>
    <message>
        <source>%1 / %2</source>
        <comment>two numbers, each after its sign&apos;s blank</comment>
        <translation>%1 of%2</translation>
    </message>
</context>
<context>
    <name>platform::signs</name>
    <message>
        <source>①</source>
        <translation> equation 1 </translation>
    </message>
    <message>
        <source>②</source>
        <translation> equation 2 </translation>
    </message>
    <message>
        <source>③</source>
        <translation> equation 3 </translation>
    </message>
    <message>
        <source> かける </source>
        <translation> times </translation>
    </message>
    <message>
        <source> わる </source>
        <translation> divided by </translation>
    </message>
    <message>
        <source> ニアリーイコール </source>
        <translation> is nearly equal to </translation>
    </message>
    <message>
        <source> イコール </source>
        <translation> equals </translation>
    </message>
    <message>
        <source> 対 </source>
        <translation> to </translation>
    </message>
    <message>
        <source> 小なりイコール </source>
        <translation> is less than or equal to </translation>
    </message>
    <message>
        <source> 以下続く</source>
        <translation> and so on</translation>
    </message>
    <message>
        <source> たす </source>
        <translation> plus </translation>
    </message>
    <message>
        <source> ひく </source>
        <translation> minus </translation>
    </message>
    <message>
        <source>パイ</source>
        <translation>pi</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation> is less than </translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation> is greater than </translation>
    </message>
    <message>
        <source>π</source>
        <translation> pi </translation>
    </message>
    <message>
        <source>θ</source>
        <translation> theta </translation>
    </message>
    <message>
        <source>sin</source>
        <translation>sine</translation>
    </message>
    <message>
        <source>cos</source>
        <translation>cosine</translation>
    </message>
    <message>
        <source>:</source>
        <comment>punctuation, not a ratio</comment>
        <translation>,</translation>
    </message>
    <message>
        <source> かける </source>
        <comment>between grouped factors</comment>
        <translation>, </translation>
    </message>
    <message>
        <source> かける </source>
        <comment>before the last grouped factor</comment>
        <translation> and </translation>
    </message>
    <message>
        <source>%1</source>
        <comment>grouped factors</comment>
        <translation>the product of %1,</translation>
    </message>
    <message>
        <source>%1の2乗</source>
        <translation>%1 squared</translation>
    </message>
    <message>
        <source>%1の%2乗</source>
        <translation>%1 to the power of %2</translation>
    </message>
    <message>
        <source> %1 分の %2 </source>
        <translation> %2 over %1 </translation>
    </message>
    <message>
        <source> かっこ </source>
        <translation> open bracket </translation>
    </message>
    <message>
        <source> かっことじ </source>
        <translation> close bracket </translation>
    </message>
    <message>
        <source>%1 かける 10 の マイナス %2 乗</source>
        <translation>%1 times 10 to the minus %2</translation>
    </message>
    <message>
        <source>%1 かける 10 の %2 乗</source>
        <translation>%1 times 10 to the %2</translation>
    </message>
    <message>
        <source>10 の マイナス %1 乗</source>
        <translation>10 to the minus %1</translation>
    </message>
    <message>
        <source>10 の %1 乗</source>
        <translation>10 to the %1</translation>
    </message>
</context>
<context>
    <name>experiments::ExperimentWindow</name>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>メニュー</source>
        <translation>Menu</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>解説</source>
        <translation>Explain</translation>
    </message>
    <message>
        <source>実験</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>［中止］をクリックすると止まります．．．</source>
        <translation>Click [Stop] to stop.</translation>
    </message>
</context>
<context>
    <name>methods</name>
    <message>
        <source>円の内接正多角形の周の長さからπを求める</source>
        <translation>π from inscribed polygons</translation>
    </message>
    <message>
        <source>モンテカルロ法を利用してπを求める</source>
        <translation>π by the Monte Carlo method</translation>
    </message>
    <message>
        <source>ビュホンの針を利用してπを求める</source>
        <translation>π with Buffon&apos;s needle</translation>
    </message>
    <message>
        <source>ウォーリスの公式からπを求める</source>
        <translation>π from Wallis&apos;s formula</translation>
    </message>
    <message>
        <source>無限級数からπを求める(ｸﾞﾚｺﾞﾘｰ･ﾗｲﾌﾟﾆｯﾂ)</source>
        <translation>π by a series (Gregory–Leibniz)</translation>
    </message>
    <message>
        <source>無限級数からπを求める(オイラー)</source>
        <translation>π by a series (Euler)</translation>
    </message>
    <message>
        <source>無限級数からπを求める(マツナガ&#x3000;ヨシスケ１)</source>
        <translation>π by a series (Matsunaga Yoshisuke 1)</translation>
    </message>
    <message>
        <source>無限級数からπを求める(マツナガ&#x3000;ヨシスケ２)</source>
        <translation>π by a series (Matsunaga Yoshisuke 2)</translation>
    </message>
</context>
<context>
    <name>classroom::ClassWindow</name>
    <message>
        <source>クラスの実験：モンテカルロ法</source>
        <translation>Class experiment: Monte Carlo method</translation>
    </message>
    <message>
        <source>クラスの実験：ビュホンの針</source>
        <translation>Class experiment: Buffon's needle</translation>
    </message>
    <message>
        <source>参加用の QR コード</source>
        <translation>QR code for joining</translation>
    </message>
    <message>
        <source>ブラウザーでこのアドレスを開いてください</source>
        <translation>Open this address in a browser</translation>
    </message>
    <message>
        <source>参加コード</source>
        <translation>Join code</translation>
    </message>
    <message>
        <source>クラス全体で投げた数</source>
        <translation>Throws by the whole class</translation>
    </message>
    <message>
        <source>クラスの π の推定値</source>
        <translation>The class's estimate of π</translation>
    </message>
    <message>
        <source>1/√n が予想する幅（95%）</source>
        <translation>Range 1/√n predicts (95%)</translation>
    </message>
    <message>
        <source>クラスの推定値のグラフ</source>
        <translation>Chart of the class's estimate</translation>
    </message>
    <message>
        <source>参加した生徒</source>
        <translation>Pupils who joined</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>State</translation>
    </message>
    <message>
        <source>投げた数</source>
        <translation>Throws</translation>
    </message>
    <message>
        <source>確認済み</source>
        <translation>Verified</translation>
    </message>
    <message>
        <source>不一致</source>
        <translation>Rejected</translation>
    </message>
    <message>
        <source>全員一時停止</source>
        <translation>Pause all</translation>
    </message>
    <message>
        <source>参加を締め切る</source>
        <translation>Lock joining</translation>
    </message>
    <message>
        <source>選んだ生徒を外す</source>
        <translation>Remove selected pupil</translation>
    </message>
    <message>
        <source>リセット…</source>
        <translation>Reset…</translation>
    </message>
    <message>
        <source>CSV を保存…</source>
        <translation>Save CSV…</translation>
    </message>
    <message>
        <source>グラフを保存…</source>
        <translation>Save chart…</translation>
    </message>
    <message>
        <source>ニックネームを表示</source>
        <translation>Show nicknames</translation>
    </message>
    <message>
        <source>つながらないときは</source>
        <translation>Pupils can't connect?</translation>
    </message>
    <message>
        <source>参加 %1 人・接続中 %2 人</source>
        <translation>%1 joined, %2 connected</translation>
    </message>
    <message>
        <source>（参加は締め切りました）</source>
        <translation> (joining locked)</translation>
    </message>
    <message>
        <source>全員再開</source>
        <translation>Resume all</translation>
    </message>
    <message>
        <source>参加を受け付ける</source>
        <translation>Open joining</translation>
    </message>
    <message>
        <source>±%1（%2～%3）</source>
        <translation>±%1 (%2 to %3)</translation>
    </message>
    <message>
        <source>―</source>
        <translation>–</translation>
    </message>
    <message>
        <source>投げている</source>
        <translation>throwing</translation>
    </message>
    <message>
        <source>待っている</source>
        <translation>idle</translation>
    </message>
    <message>
        <source>抜けた</source>
        <translation>left</translation>
    </message>
    <message>
        <source>外した</source>
        <translation>removed</translation>
    </message>
    <message>
        <source>クラス全体で投げた数 %1</source>
        <translation>Throws by the whole class: %1</translation>
    </message>
    <message>
        <source>クラスの π の推定値 %1</source>
        <translation>The class's estimate of π: %1</translation>
    </message>
    <message>
        <source>1/√n が予想する幅（95%） %1</source>
        <translation>Range 1/√n predicts (95%): %1</translation>
    </message>
    <message>
        <source>参加のアドレス %1</source>
        <translation>Address for joining: %1</translation>
    </message>
    <message>
        <source>参加コード %1</source>
        <translation>Join code: %1</translation>
    </message>
    <message>
        <source>%1 人が参加しました（全部で %2 人）</source>
        <translation>%1 joined (%2 in all)</translation>
    </message>
    <message>
        <source>クラスで %1 回投げました：π ≈ %2</source>
        <translation>The class has thrown %1: π ≈ %2</translation>
    </message>
    <message>
        <source>。</source>
        <translation>. </translation>
    </message>
    <message>
        <source>クラス全体の推定値は %1 回で %2、幅 %3。ひとりひとりの推定値 %4 個。</source>
        <translation>The whole class's estimate after %1 throws is %2, range %3. %4 pupils' own estimates.</translation>
    </message>
    <message>
        <source>クラスの結果をすべて消して、新しい参加コードで始めなおしますか？</source>
        <translation>Clear the class's whole result and start again with a new join code?</translation>
    </message>
    <message>
        <source>CSV を保存</source>
        <translation>Save CSV</translation>
    </message>
    <message>
        <source>CSV ファイル (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>PNG 画像 (*.png)</source>
        <translation>PNG images (*.png)</translation>
    </message>
    <message>
        <source>SVG 画像 (*.svg)</source>
        <translation>SVG images (*.svg)</translation>
    </message>
    <message>
        <source>グラフを保存</source>
        <translation>Save chart</translation>
    </message>
    <message>
        <source>保存しました：%1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>%1 に保存できませんでした。</source>
        <translation>Could not save to %1.</translation>
    </message>
    <message>
        <source>生徒の端末からこのアドレスが開けないとき：</source>
        <translation>When pupils' devices cannot open this address:</translation>
    </message>
    <message>
        <source>・生徒の端末が、このコンピューターと同じネットワーク（同じ Wi-Fi）につながっているか確かめてください。
・Wi-Fi の「クライアント分離」（AP アイソレーション）が有効だと、端末どうしはつながりません。ネットワークの管理者に、この教室のネットワークで切ってもらってください。
・このコンピューターのファイアウォールがポート %1 をふさいでいるかもしれません。ufw なら次のコマンドで開きます：
sudo ufw allow %1/tcp
・アドレスは数字まで正確に打ってください。QR コードを読み取れば、参加コードも入ります。</source>
        <translation>- Check that the pupils' devices are on the same network (the same Wi-Fi) as this computer.
- With Wi-Fi client isolation (AP isolation) on, devices cannot reach one another. Ask the network's administrator to turn it off for this classroom's network.
- This computer's firewall may block port %1. With ufw, this command opens it:
sudo ufw allow %1/tcp
- Type the address exactly, digits included. Scanning the QR code fills in the join code too.</translation>
    </message>
</context>
<context>
    <name>classroom::PoolChart</name>
    <message>
        <source>投げた数 n（対数目盛）</source>
        <translation>Throws n (log scale)</translation>
    </message>
    <message>
        <source>クラス全体</source>
        <translation>Whole class</translation>
    </message>
    <message>
        <source>ひとりひとり</source>
        <translation>Each pupil</translation>
    </message>
    <message>
        <source>1/√n の幅（95%）</source>
        <translation>1/√n range (95%)</translation>
    </message>
    <message>
        <source>π</source>
        <translation>π</translation>
    </message>
</context>
<context>
    <name>shell::ClassSession</name>
    <message>
        <source>クラスの実験</source>
        <translation>Class experiment</translation>
    </message>
    <message>
        <source>前回のクラスの結果が残っています。その結果に続けて投げますか？
「いいえ」を選ぶと、新しく始めます。</source>
        <translation>The class's result from last time is still kept. Go on throwing into it?
Choose "No" to start afresh.</translation>
    </message>
    <message>
        <source>クラスの結果を記録するデータベースを開けませんでした：%1</source>
        <translation>Could not open the database that records the class's result: %1</translation>
    </message>
    <message>
        <source>ポート %1 は、ほかのプログラムが使っています。
そのプログラムを終えるか、別のポートを --port で選んでください（例：--port %2）。</source>
        <translation>Port %1 is in use by another program.
End that program, or choose another port with --port (for example --port %2).</translation>
    </message>
    <message>
        <source>ポート %1 で待ち受けることができませんでした。
別のポートを --port で選んでください（例：--port 31415）。</source>
        <translation>Could not listen on port %1.
Choose another port with --port (for example --port 31415).</translation>
    </message>
</context>
</TS>
