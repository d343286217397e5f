<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th_TH">
<context>
    <name>AdvisoryText</name>
    <message>
        <source>account %1 is on %2, each time for %3</source>
        <translation>บัญชี %1 ซ้ำกัน: %2 ยอดเงินครั้งละ %3</translation>
    </message>
    <message>
        <source>account %1 is on %2</source>
        <translation>บัญชี %1 ซ้ำกัน: %2</translation>
    </message>
    <message>
        <source>account %1 on %2 is not in the earlier file</source>
        <translation>บัญชี %1 (%2) ไม่มีในไฟล์ครั้งก่อน</translation>
    </message>
    <message>
        <source>account %1 of the earlier file is not in this one</source>
        <translation>บัญชี %1 ในไฟล์ครั้งก่อนไม่มีในไฟล์นี้</translation>
    </message>
    <message>
        <source>account %1 on %2: %3, against %4 in the earlier file (%5)</source>
        <translation>บัญชี %1 (%2): ยอดเงิน %3 เทียบกับ %4 ในไฟล์ครั้งก่อน (%5)</translation>
    </message>
    <message>
        <source>and %1 more account %2</source>
        <translation>และบัญชีอื่นอีก %1 บัญชี%2</translation>
    </message>
    <message>
        <source>and %1 more accounts %2</source>
        <translation>และบัญชีอื่นอีก %1 บัญชี%2</translation>
    </message>
    <message>
        <source>on more than one detail record</source>
        <translation>ที่พบในรายการย่อยมากกว่าหนึ่งรายการ</translation>
    </message>
    <message>
        <source>not in the earlier file</source>
        <translation>ที่ไม่มีในไฟล์ครั้งก่อน</translation>
    </message>
    <message>
        <source>of the earlier file not in this one</source>
        <translation>ในไฟล์ครั้งก่อนที่ไม่มีในไฟล์นี้</translation>
    </message>
    <message>
        <source>whose amount changed as much</source>
        <translation>ที่ยอดเงินเปลี่ยนไปมากเช่นกัน</translation>
    </message>
    <message>
        <source>%1 lines, the first %2 and %3</source>
        <translation>%1 บรรทัด สิบบรรทัดแรกคือ %2 และ %3</translation>
    </message>
    <message>
        <source>lines %1 and %2</source>
        <translation>บรรทัดที่ %1 และ %2</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>บรรทัดที่ %1</translation>
    </message>
    <message>
        <source>against the earlier file: %1 detail records, %2 before (%3); their amounts add up to %4, %5 before (%6)</source>
        <translation>เทียบกับไฟล์ครั้งก่อน: รายการย่อย %1 รายการ ครั้งก่อน %2 รายการ (%3) ยอดเงินรวม %4 ครั้งก่อน %5 (%6)</translation>
    </message>
    <message>
        <source>against the earlier file: %1 detail records, %2 before (%3)</source>
        <translation>เทียบกับไฟล์ครั้งก่อน: รายการย่อย %1 รายการ ครั้งก่อน %2 รายการ (%3)</translation>
    </message>
    <message>
        <source>the effective date %1 is before today, %2</source>
        <translation>วันที่มีผล %1 เป็นวันที่ผ่านมาแล้ว วันนี้คือ %2</translation>
    </message>
    <message>
        <source>the effective date %1 is a Saturday</source>
        <translation>วันที่มีผล %1 ตรงกับวันเสาร์</translation>
    </message>
    <message>
        <source>the effective date %1 is a Sunday</source>
        <translation>วันที่มีผล %1 ตรงกับวันอาทิตย์</translation>
    </message>
    <message>
        <source>the effective date %1 is a holiday: %2</source>
        <translation>วันที่มีผล %1 เป็นวันหยุด: %2</translation>
    </message>
    <message>
        <source>the effective date %1 is a holiday</source>
        <translation>วันที่มีผล %1 เป็นวันหยุด</translation>
    </message>
    <message>
        <source>the effective date %1 is %2 banking day after today, fewer than %3</source>
        <translation>วันที่มีผล %1 ห่างจากวันนี้ %2 วันทำการ น้อยกว่าที่กำหนดไว้ %3 วันทำการ</translation>
    </message>
    <message>
        <source>the effective date %1 is %2 banking days after today, fewer than %3</source>
        <translation>วันที่มีผล %1 ห่างจากวันนี้ %2 วันทำการ น้อยกว่าที่กำหนดไว้ %3 วันทำการ</translation>
    </message>
    <message>
        <source>This file was %1.</source>
        <translation>ไฟล์นี้เคย%1</translation>
    </message>
    <message>
        <source>Another file of company %1 for the effective date %2 was %3: %4.</source>
        <translation>ไฟล์อื่นของบริษัท %1 วันที่มีผล %2 เคย%3: %4</translation>
    </message>
    <message>
        <source>checked on %1 and %2</source>
        <translation>ตรวจเมื่อ %1 และ%2</translation>
    </message>
    <message>
        <source>checked on %1</source>
        <translation>ตรวจเมื่อ %1</translation>
    </message>
    <message>
        <source>its letter printed on %1 (%2)</source>
        <translation>พิมพ์ใบนำส่งที่เครื่องพิมพ์ %1 (%2)</translation>
    </message>
    <message>
        <source>its letter saved as %1</source>
        <translation>บันทึกใบนำส่งไว้ที่ %1</translation>
    </message>
    <message>
        <source>its letter closed unsaved and unprinted</source>
        <translation>ปิดใบนำส่งไปโดยไม่ได้บันทึกหรือพิมพ์</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>ส่งถึงเครื่องพิมพ์แล้ว</translation>
    </message>
    <message>
        <source>printed</source>
        <translation>พิมพ์เสร็จแล้ว</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>การพิมพ์หยุดไป</translation>
    </message>
    <message>
        <source>today&apos;s date is not known, so the effective date is not checked</source>
        <translation>ไม่ทราบวันที่ของวันนี้ จึงไม่ได้ตรวจวันที่มีผล</translation>
    </message>
    <message>
        <source>there is not enough memory to compare the accounts of this file</source>
        <translation>หน่วยความจำไม่พอสำหรับเปรียบเทียบบัญชีของไฟล์นี้</translation>
    </message>
    <message>
        <source>the file has more than %1 detail records, too many to compare accounts</source>
        <translation>ไฟล์มีรายการย่อยเกิน %1 รายการ มากเกินกว่าจะเปรียบเทียบบัญชีได้</translation>
    </message>
    <message>
        <source>the holiday list&apos;s line %1 %2; it is left out</source>
        <translation>รายการวันหยุดบรรทัดที่ %1 %2 จึงไม่ได้นำมาใช้</translation>
    </message>
    <message>
        <source>is not UTF-8 text</source>
        <translation>ไม่ใช่ข้อความแบบ UTF-8</translation>
    </message>
    <message>
        <source>does not begin with a day written YYYY-MM-DD</source>
        <translation>ไม่ได้ขึ้นต้นด้วยวันที่ในรูปแบบ YYYY-MM-DD</translation>
    </message>
    <message>
        <source>the holiday list cannot be read: %1</source>
        <translation>อ่านไฟล์รายการวันหยุดไม่ได้: %1</translation>
    </message>
    <message>
        <source>the earlier file is company %1, not %2</source>
        <translation>ไฟล์ครั้งก่อนเป็นของบริษัท %1 ไม่ใช่ %2</translation>
    </message>
    <message>
        <source>the earlier file is not a media file of %1</source>
        <translation>ไฟล์ครั้งก่อนไม่ใช่ไฟล์ข้อมูล %1</translation>
    </message>
    <message>
        <source>the earlier file is not a media file: %1</source>
        <translation>ไฟล์ครั้งก่อนไม่ใช่ไฟล์ข้อมูล: %1</translation>
    </message>
    <message>
        <source>the earlier file is empty</source>
        <translation>ไฟล์ครั้งก่อนว่างเปล่า</translation>
    </message>
    <message>
        <source>the earlier file is %1, not %2</source>
        <translation>ไฟล์ครั้งก่อนเป็น %1 ไม่ใช่ %2</translation>
    </message>
    <message>
        <source>the earlier file has more than %1 detail records, too many to compare</source>
        <translation>ไฟล์ครั้งก่อนมีรายการย่อยเกิน %1 รายการ มากเกินกว่าจะเปรียบเทียบได้</translation>
    </message>
    <message>
        <source>the earlier file cannot be read: %1</source>
        <translation>อ่านไฟล์ครั้งก่อนไม่ได้: %1</translation>
    </message>
    <message>
        <source>it has a line longer than %1 bytes</source>
        <translation>มีบรรทัดที่ยาวเกิน %1 ไบต์</translation>
    </message>
    <message>
        <source>the file is UTF-8 text, not code page 874</source>
        <translation>ไฟล์เป็นข้อความแบบ UTF-8 ไม่ใช่โค้ดเพจ 874</translation>
    </message>
    <message>
        <source>the file begins with a UTF-8 byte-order mark, which code page 874 text has not</source>
        <translation>ไฟล์ขึ้นต้นด้วยเครื่องหมายลำดับไบต์ของ UTF-8 ซึ่งข้อความโค้ดเพจ 874 ไม่มี</translation>
    </message>
    <message>
        <source>the file is UTF-16 text, not code page 874</source>
        <translation>ไฟล์เป็นข้อความแบบ UTF-16 ไม่ใช่โค้ดเพจ 874</translation>
    </message>
    <message>
        <source>the file&apos;s lines end in CR alone, not CR LF, so it reads as one line</source>
        <translation>บรรทัดของไฟล์จบด้วย CR อย่างเดียว ไม่ใช่ CR LF จึงอ่านได้เป็นบรรทัดเดียว</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>There is not enough memory to finish this. Close other programs and try again.</source>
        <translation>หน่วยความจำไม่พอที่จะทำงานนี้ให้เสร็จ กรุณาปิดโปรแกรมอื่นแล้วลองใหม่อีกครั้ง</translation>
    </message>
</context>
<context>
    <name>CheckJournal</name>
    <message>
        <source>The journal of checks was not written: %1</source>
        <translation>ไม่ได้บันทึกประวัติการตรวจ: %1</translation>
    </message>
</context>
<context>
    <name>CheckRun</name>
    <message>
        <source>Please check data input file.</source>
        <translation>กรุณาตรวจสอบไฟล์ข้อมูล</translation>
    </message>
    <message>
        <source>Wrong Format</source>
        <translation>รูปแบบไฟล์ไม่ถูกต้อง</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>คำเตือน</translation>
    </message>
</context>
<context>
    <name>HelpPage</name>
    <message>
        <source>How to check a file</source>
        <translation>วิธีตรวจไฟล์</translation>
    </message>
</context>
<context>
    <name>LetterWarning</name>
    <message>
        <source>%1 rejected %2</source>
        <translation>รายการที่ไม่ผ่านการตรวจ %1 %2</translation>
    </message>
    <message>
        <source>record</source>
        <translation>รายการ</translation>
    </message>
    <message>
        <source>records</source>
        <translation>รายการ</translation>
    </message>
    <message>
        <source>totals do not agree with the control record</source>
        <translation>ยอดรวมไม่ตรงกับรายการควบคุม</translation>
    </message>
    <message>
        <source>This file has %1 and its %2.</source>
        <translation>ไฟล์นี้มี%1 และ%2</translation>
    </message>
    <message>
        <source>This file has %1.</source>
        <translation>ไฟล์นี้มี%1</translation>
    </message>
    <message>
        <source>This file&apos;s %1.</source>
        <translation>ไฟล์นี้%1</translation>
    </message>
    <message>
        <source>1 account appears twice</source>
        <translation>มี 1 บัญชีที่ปรากฏซ้ำสองครั้ง</translation>
    </message>
    <message>
        <source>%1 accounts appear twice</source>
        <translation>มี %1 บัญชีที่ปรากฏซ้ำสองครั้ง</translation>
    </message>
    <message>
        <source>1 account appears more than twice</source>
        <translation>มี 1 บัญชีที่ปรากฏมากกว่าสองครั้ง</translation>
    </message>
    <message>
        <source>%1 accounts appear more than twice</source>
        <translation>มี %1 บัญชีที่ปรากฏมากกว่าสองครั้ง</translation>
    </message>
    <message>
        <source>1 advisory</source>
        <translation>ข้อสังเกต 1 รายการ</translation>
    </message>
    <message>
        <source>%1 advisories</source>
        <translation>ข้อสังเกต %1 รายการ</translation>
    </message>
    <message>
        <source>1 other advisory</source>
        <translation>ข้อสังเกตอื่นอีก 1 รายการ</translation>
    </message>
    <message>
        <source>%1 other advisories</source>
        <translation>ข้อสังเกตอื่นอีก %1 รายการ</translation>
    </message>
    <message>
        <source>Advisories: %1.</source>
        <translation>ข้อสังเกต: %1</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Field</source>
        <translation>ช่องข้อมูล</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>คอลัมน์</translation>
    </message>
    <message>
        <source>Found</source>
        <translation>ข้อมูลที่พบ</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>ข้อมูลที่ควรเป็น</translation>
    </message>
    <message>
        <source>Hint</source>
        <translation>คำแนะนำ</translation>
    </message>
    <message>
        <source>Media file</source>
        <translation>ไฟล์ข้อมูล</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>บรรทัด</translation>
    </message>
    <message>
        <source>Amount in the file</source>
        <translation>ยอดเงินในไฟล์</translation>
    </message>
    <message>
        <source>Reason code</source>
        <translation>รหัสเหตุผล</translation>
    </message>
    <message>
        <source>Rejected rows of %1</source>
        <translation>รายการที่ไม่ผ่านการตรวจของ %1</translation>
    </message>
    <message>
        <source>Checked %1</source>
        <translation>ตรวจเมื่อ %1</translation>
    </message>
    <message>
        <source>Checked</source>
        <translation>ตรวจเมื่อ</translation>
    </message>
</context>
<context>
    <name>Verdict</name>
    <message>
        <source>none rejected, totals agree</source>
        <translation>ผ่านทุกรายการ ยอดรวมตรงกัน</translation>
    </message>
    <message>
        <source>%1 rejected, %2</source>
        <translation>ไม่ผ่าน %1 รายการ, %2</translation>
    </message>
    <message>
        <source>no control messages</source>
        <translation>ไม่มีข้อความของรายการควบคุม</translation>
    </message>
    <message>
        <source>control or totals message</source>
        <translation>ข้อความของรายการควบคุมหรือยอดรวม</translation>
    </message>
    <message>
        <source>control or totals messages</source>
        <translation>ข้อความของรายการควบคุมหรือยอดรวม</translation>
    </message>
    <message>
        <source>Wrong Format</source>
        <translation>รูปแบบไฟล์ไม่ถูกต้อง</translation>
    </message>
    <message>
        <source>Wrong Format; this looks like a %1 file</source>
        <translation>รูปแบบไฟล์ไม่ถูกต้อง ไฟล์นี้ดูเหมือนเป็น %1</translation>
    </message>
    <message>
        <source>%1 records, %2. Summary: %3%4</source>
        <translation>%1 รายการ, %2 ไฟล์สรุป: %3%4</translation>
    </message>
    <message>
        <source>control record rejected (%1), no summary written</source>
        <translation>รายการควบคุมไม่ผ่านการตรวจ (%1) ไม่ได้บันทึกไฟล์สรุป</translation>
    </message>
    <message>
        <source>message</source>
        <translation>ข้อความ</translation>
    </message>
    <message>
        <source>messages</source>
        <translation>ข้อความ</translation>
    </message>
    <message>
        <source>stopped: </source>
        <translation>หยุดการตรวจ: </translation>
    </message>
    <message>
        <source>, 1 advisory</source>
        <translation>, ข้อสังเกต 1 รายการ</translation>
    </message>
    <message>
        <source>, %1 advisories</source>
        <translation>, ข้อสังเกต %1 รายการ</translation>
    </message>
</context>
<context>
    <name>qrv::gui::AdvisorySettingsDialog</name>
    <message>
        <source>Advisory settings</source>
        <translation>ตั้งค่าข้อสังเกต</translation>
    </message>
    <message>
        <source>off</source>
        <translation>ปิด</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>เลือกไฟล์... (&amp;B)</translation>
    </message>
    <message>
        <source>An amount &amp;changed by more than:</source>
        <translation>ยอดเงินเปลี่ยนไปมากกว่า (&amp;C):</translation>
    </message>
    <message>
        <source>and by at &amp;least:</source>
        <translation>และเปลี่ยนไปอย่างน้อย (&amp;L):</translation>
    </message>
    <message>
        <source>Banking days before the pay &amp;date:</source>
        <translation>จำนวนวันทำการก่อนวันที่มีผล (&amp;D):</translation>
    </message>
    <message>
        <source>&amp;Holiday list:</source>
        <translation>รายการวันหยุด (&amp;H):</translation>
    </message>
    <message>
        <source>An account&apos;s amount that changed by more than this part of the earlier file&apos;s is named</source>
        <translation>แจ้งบัญชีที่ยอดเงินเปลี่ยนไปจากไฟล์ครั้งก่อนมากกว่าสัดส่วนนี้</translation>
    </message>
    <message>
        <source>and only when it changed by at least this amount</source>
        <translation>และเฉพาะเมื่อเปลี่ยนไปอย่างน้อยเท่ากับยอดนี้</translation>
    </message>
    <message>
        <source>Fewer banking days than this from today to the pay date are named; 0 turns this off</source>
        <translation>แจ้งเมื่อจำนวนวันทำการจากวันนี้ถึงวันที่มีผลน้อยกว่านี้ ใส่ 0 เพื่อปิด</translation>
    </message>
    <message>
        <source>Holiday list</source>
        <translation>รายการวันหยุด</translation>
    </message>
    <message>
        <source>A text file with one date and name a line: YYYY-MM-DD name; empty for none</source>
        <translation>ไฟล์ข้อความ บรรทัดละหนึ่งวัน: ปปปป-ดด-วว ชื่อวันหยุด เว้นว่างไว้หากไม่ใช้</translation>
    </message>
    <message>
        <source>Chooses the holiday list</source>
        <translation>เลือกไฟล์รายการวันหยุด</translation>
    </message>
    <message>
        <source>Holiday list note</source>
        <translation>หมายเหตุรายการวันหยุด</translation>
    </message>
    <message>
        <source>Says when there is no file at the holiday list&apos;s path</source>
        <translation>แจ้งเมื่อไม่พบไฟล์รายการวันหยุดตามที่ระบุ</translation>
    </message>
    <message>
        <source>Text Files (*.txt);;All Files (*)</source>
        <translation>ไฟล์ข้อความ (*.txt);;ทุกไฟล์ (*)</translation>
    </message>
    <message>
        <source>There is no file at this path: the checks run without a holiday list.</source>
        <translation>ไม่พบไฟล์ตามที่ระบุ การตรวจจะทำโดยไม่ใช้รายการวันหยุด</translation>
    </message>
</context>
<context>
    <name>qrv::gui::FrmEdit</name>
    <message>
        <source>From Edit Data</source>
        <translation>ผลการตรวจข้อมูล</translation>
    </message>
    <message>
        <source>Output File</source>
        <translation>ไฟล์สรุป</translation>
    </message>
    <message>
        <source>Control Record</source>
        <translation>รายการควบคุม</translation>
    </message>
    <message>
        <source>Detail Summary</source>
        <translation>สรุปรายการย่อย</translation>
    </message>
    <message>
        <source>Detail Record Error</source>
        <translation>รายการที่ไม่ผ่านการตรวจ</translation>
    </message>
    <message>
        <source>&amp;Show record</source>
        <translation>แสดงรายการ (&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>คัดลอก (&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Export rejected rows...</source>
        <translation>ส่งออกรายการที่ไม่ผ่าน... (&amp;E)</translation>
    </message>
    <message>
        <source>C&amp;lear earlier checks</source>
        <translation>ล้างผลการตรวจครั้งก่อน (&amp;L)</translation>
    </message>
    <message>
        <source>not written</source>
        <translation>ยังไม่ได้บันทึก</translation>
    </message>
    <message>
        <source>Summary file</source>
        <translation>ไฟล์สรุป</translation>
    </message>
    <message>
        <source>Output File: where this check writes the summary file</source>
        <translation>ไฟล์สรุป: ที่ที่การตรวจครั้งนี้บันทึกไฟล์สรุป</translation>
    </message>
    <message>
        <source>One row for each rejected detail record</source>
        <translation>หนึ่งแถวต่อหนึ่งรายการย่อยที่ไม่ผ่านการตรวจ</translation>
    </message>
    <message>
        <source>Control Record messages</source>
        <translation>ข้อความของรายการควบคุม</translation>
    </message>
    <message>
        <source>The control record&apos;s errors and the totals that do not agree</source>
        <translation>ข้อผิดพลาดของรายการควบคุม และยอดรวมที่ไม่ตรงกัน</translation>
    </message>
    <message>
        <source>Opens the covering letter</source>
        <translation>เปิดใบนำส่งข้อมูล</translation>
    </message>
    <message>
        <source>Output File and Control Record</source>
        <translation>ไฟล์สรุปและรายการควบคุม</translation>
    </message>
    <message>
        <source>Scrolls when the window is too small for all the values</source>
        <translation>เลื่อนดูได้เมื่อหน้าต่างเล็กเกินกว่าจะแสดงข้อมูลได้ครบ</translation>
    </message>
    <message>
        <source>Excel workbook (*.xlsx);;CSV (*.csv)</source>
        <translation>ไฟล์ Excel (*.xlsx);;ไฟล์ CSV (*.csv)</translation>
    </message>
    <message>
        <source>Earlier check: %1 at %2</source>
        <translation>การตรวจครั้งก่อน: %1 เมื่อ %2</translation>
    </message>
    <message>
        <source>Only the first %L1 of %L2 rejected rows are listed; &quot;Export rejected rows...&quot; writes them all.</source>
        <translation>แสดงเฉพาะ %L1 แถวแรกจากรายการที่ไม่ผ่านทั้งหมด %L2 แถว เมนู &quot;ส่งออกรายการที่ไม่ผ่าน...&quot; จะบันทึกครบทุกแถว</translation>
    </message>
    <message>
        <source>SHA-256: %1</source>
        <translation>SHA-256: %1</translation>
    </message>
</context>
<context>
    <name>qrv::gui::HistoryModel</name>
    <message>
        <source>Checked</source>
        <translation>ตรวจเมื่อ</translation>
    </message>
    <message>
        <source>Company code</source>
        <translation>รหัสบริษัท</translation>
    </message>
    <message>
        <source>Company name</source>
        <translation>ชื่อบริษัท</translation>
    </message>
    <message>
        <source>Effective date</source>
        <translation>วันที่มีผล</translation>
    </message>
    <message>
        <source>Media file</source>
        <translation>ไฟล์ข้อมูล</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>รูปแบบ</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>ผลการตรวจ</translation>
    </message>
    <message>
        <source>Total records</source>
        <translation>จำนวนรายการตามรายการควบคุม</translation>
    </message>
    <message>
        <source>Total amount</source>
        <translation>ยอดเงินตามรายการควบคุม</translation>
    </message>
    <message>
        <source>Detail records</source>
        <translation>จำนวนรายการย่อย</translation>
    </message>
    <message>
        <source>Detail amount</source>
        <translation>ยอดเงินรวมรายการย่อย</translation>
    </message>
    <message>
        <source>Hash total</source>
        <translation>Hash Total</translation>
    </message>
    <message>
        <source>Control messages</source>
        <translation>ข้อความของรายการควบคุมหรือยอดรวม</translation>
    </message>
    <message>
        <source>Rejected records</source>
        <translation>รายการที่ไม่ผ่าน</translation>
    </message>
    <message>
        <source>Advisories</source>
        <translation>ข้อสังเกต</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>ใบนำส่ง</translation>
    </message>
    <message>
        <source>Media file SHA-256</source>
        <translation>SHA-256 ของไฟล์ข้อมูล</translation>
    </message>
    <message>
        <source>Summary file</source>
        <translation>ไฟล์สรุป</translation>
    </message>
    <message>
        <source>Summary file SHA-256</source>
        <translation>SHA-256 ของไฟล์สรุป</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>โปรแกรม</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>ลำดับการตรวจ</translation>
    </message>
    <message>
        <source>finished</source>
        <translation>ตรวจครบทั้งไฟล์</translation>
    </message>
    <message>
        <source>wrong_format</source>
        <translation>รูปแบบไฟล์ไม่ถูกต้อง</translation>
    </message>
    <message>
        <source>control_rejected</source>
        <translation>รายการควบคุมไม่ผ่านการตรวจ</translation>
    </message>
    <message>
        <source>run_error</source>
        <translation>หยุดการตรวจเพราะเกิดข้อผิดพลาด</translation>
    </message>
</context>
<context>
    <name>qrv::gui::MDIForm1</name>
    <message>
        <source>Verdict</source>
        <translation>ผลการตรวจ</translation>
    </message>
    <message>
        <source>&amp;start</source>
        <translation>เริ่ม (&amp;S)</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>ออกจากโปรแกรม (&amp;X)</translation>
    </message>
    <message>
        <source>E&amp;dit</source>
        <translation>แก้ไข (&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Clear earlier checks</source>
        <translation>ล้างผลการตรวจครั้งก่อน (&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>วิธีใช้ (&amp;H)</translation>
    </message>
    <message>
        <source>&amp;How to check a file</source>
        <translation>วิธีตรวจไฟล์ (&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About QRV Edit Data</source>
        <translation>เกี่ยวกับ QRV Edit Data (&amp;A)</translation>
    </message>
    <message>
        <source>Rejected rows exported to %1</source>
        <translation>ส่งออกรายการที่ไม่ผ่านไปที่ %1 แล้ว</translation>
    </message>
    <message>
        <source>1 row copied</source>
        <translation>คัดลอกแล้ว 1 แถว</translation>
    </message>
    <message>
        <source>%L1 rows copied</source>
        <translation>คัดลอกแล้ว %L1 แถว</translation>
    </message>
    <message>
        <source>Letter saved to %1</source>
        <translation>บันทึกใบนำส่งไว้ที่ %1 แล้ว</translation>
    </message>
    <message>
        <source>Letter printed to %1</source>
        <translation>พิมพ์ใบนำส่งลงไฟล์ %1 แล้ว</translation>
    </message>
    <message>
        <source>Letter printed on %1</source>
        <translation>พิมพ์ใบนำส่งที่เครื่องพิมพ์ %1 แล้ว</translation>
    </message>
    <message>
        <source>Letter sent to %1</source>
        <translation>ส่งใบนำส่งไปที่เครื่องพิมพ์ %1 แล้ว</translation>
    </message>
    <message>
        <source>Letter sent to %1, which holds it: %2</source>
        <translation>ส่งใบนำส่งไปที่เครื่องพิมพ์ %1 แล้ว แต่เครื่องพิมพ์ยังพักงานไว้: %2</translation>
    </message>
    <message>
        <source>QRV Edit Data %1

Checks a payroll credit file before it goes to the bank, and prints its covering letter.

Built with Qt %2 (%3), under the GNU Lesser General Public License version 3.</source>
        <translation>QRV Edit Data %1

ตรวจไฟล์ข้อมูลเงินเดือนก่อนส่งให้ธนาคาร และพิมพ์ใบนำส่งข้อมูล

สร้างด้วย Qt %2 (%3) ภายใต้สัญญาอนุญาต GNU Lesser General Public License รุ่นที่ 3</translation>
    </message>
    <message>
        <source>About QRV Edit Data</source>
        <translation>เกี่ยวกับ QRV Edit Data</translation>
    </message>
    <message>
        <source>Do you want to exit?</source>
        <translation>ต้องการออกจากโปรแกรมหรือไม่?</translation>
    </message>
    <message>
        <source>&amp;History of checks…</source>
        <translation>ประวัติการตรวจ… (&amp;H)</translation>
    </message>
    <message>
        <source>Com&amp;pare with earlier file...</source>
        <translation>เปรียบเทียบกับไฟล์ครั้งก่อน... (&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Advisory settings...</source>
        <translation>ตั้งค่าข้อสังเกต... (&amp;A)</translation>
    </message>
    <message>
        <source>History of checks exported to %1</source>
        <translation>ส่งออกประวัติการตรวจไปที่ %1 แล้ว</translation>
    </message>
    <message>
        <source>All Files (*);;Text Files (*.txt)</source>
        <translation>ทุกไฟล์ (*);;ไฟล์ข้อความ (*.txt)</translation>
    </message>
    <message>
        <source>No file has been checked yet: the next check compares its file with %1</source>
        <translation>ยังไม่ได้ตรวจไฟล์ใด การตรวจครั้งถัดไปจะเปรียบเทียบกับ %1</translation>
    </message>
</context>
<context>
    <name>qrv::gui::RecordView</name>
    <message>
        <source>Line %L1 of %2</source>
        <translation>บรรทัดที่ %L1 ของ %2</translation>
    </message>
    <message>
        <source>The line, under a column ruler, with the failing columns marked</source>
        <translation>บรรทัดของไฟล์ใต้ไม้บรรทัดคอลัมน์ โดยมีเครื่องหมายใต้คอลัมน์ที่ผิด</translation>
    </message>
</context>
<context>
    <name>qrv::gui::frmAdvisories</name>
    <message>
        <source>Advisories</source>
        <translation>ข้อสังเกต</translation>
    </message>
    <message>
        <source>Advisory</source>
        <translation>ข้อสังเกต</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>บรรทัด</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>บัญชี</translation>
    </message>
    <message>
        <source>What the check cannot see in records read one at a time; the check&apos;s own results stay as they are</source>
        <translation>สิ่งที่การตรวจทีละรายการมองไม่เห็น ผลการตรวจเดิมยังคงเหมือนเดิม</translation>
    </message>
    <message>
        <source>The file these advisories are about, and the file it was compared with</source>
        <translation>ไฟล์ที่ข้อสังเกตนี้กล่าวถึง และไฟล์ที่ใช้เปรียบเทียบ</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>ปัญหา</translation>
    </message>
    <message>
        <source>What kept advisories from being given</source>
        <translation>สาเหตุที่ให้ข้อสังเกตไม่ได้</translation>
    </message>
    <message>
        <source>%1, compared with %2</source>
        <translation>%1 เปรียบเทียบกับ %2</translation>
    </message>
</context>
<context>
    <name>qrv::gui::frmHistory</name>
    <message>
        <source>History of checks</source>
        <translation>ประวัติการตรวจ</translation>
    </message>
    <message>
        <source>Company code or file name</source>
        <translation>รหัสบริษัทหรือชื่อไฟล์</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>กรอง</translation>
    </message>
    <message>
        <source>&amp;Export as CSV…</source>
        <translation>ส่งออกเป็น CSV… (&amp;E)</translation>
    </message>
    <message>
        <source>Checks, newest first</source>
        <translation>การตรวจ เรียงจากล่าสุด</translation>
    </message>
    <message>
        <source>The journal of checks cannot be read: %1</source>
        <translation>อ่านประวัติการตรวจไม่ได้: %1</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>ไฟล์ CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>qrv::gui::frmSelFile</name>
    <message>
        <source>Choose file</source>
        <translation>เลือกไฟล์</translation>
    </message>
    <message>
        <source>Input File :</source>
        <translation>ไฟล์ข้อมูล :</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>เลือกไฟล์... (&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Edit Data</source>
        <translation>ตรวจข้อมูล (&amp;E)</translation>
    </message>
    <message>
        <source>The path of the media file to check</source>
        <translation>ที่อยู่ของไฟล์ข้อมูลที่จะตรวจ</translation>
    </message>
    <message>
        <source>Chooses the media file in a file dialog</source>
        <translation>เลือกไฟล์ข้อมูลจากหน้าต่างเลือกไฟล์</translation>
    </message>
    <message>
        <source>Checks the media file in the format named above</source>
        <translation>ตรวจไฟล์ข้อมูลตามรูปแบบที่แสดงด้านบน</translation>
    </message>
    <message>
        <source>All Files (*);;Text Files (*.txt)</source>
        <translation>ทุกไฟล์ (*);;ไฟล์ข้อความ (*.txt)</translation>
    </message>
    <message>
        <source>Please select input file </source>
        <translation>กรุณาเลือกไฟล์ข้อมูล</translation>
    </message>
    <message>
        <source>KVT Edit Program</source>
        <translation>โปรแกรมตรวจข้อมูล</translation>
    </message>
</context>
<context>
    <name>qrv::gui::frmSendData</name>
    <message>
        <source>Report Send Data</source>
        <translation>ใบนำส่งข้อมูล</translation>
    </message>
    <message>
        <source>Covering letter</source>
        <translation>ใบนำส่งข้อมูล</translation>
    </message>
    <message>
        <source>The letter as Save writes it and Print prints it</source>
        <translation>ใบนำส่งตามที่ปุ่มบันทึกจะบันทึกและปุ่มพิมพ์จะพิมพ์</translation>
    </message>
    <message>
        <source>Sa&amp;ve</source>
        <translation>บันทึก (&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>พิมพ์ (&amp;P)</translation>
    </message>
    <message>
        <source>Saves the letter as a text file</source>
        <translation>บันทึกใบนำส่งเป็นไฟล์ข้อความ</translation>
    </message>
    <message>
        <source>Prints the letter</source>
        <translation>พิมพ์ใบนำส่ง</translation>
    </message>
    <message>
        <source>Text (*.TXT)</source>
        <translation>ไฟล์ข้อความ (*.TXT)</translation>
    </message>
    <message>
        <source>%1 already exists. Do you want to replace it?</source>
        <translation>มีไฟล์ %1 อยู่แล้ว ต้องการบันทึกทับหรือไม่?</translation>
    </message>
    <message>
        <source>The letter waits at &quot;%1&quot;: the printer is paused or stopped (%2). It prints once the printer is started again.</source>
        <translation>ใบนำส่งรออยู่ที่เครื่องพิมพ์ &quot;%1&quot; เนื่องจากเครื่องพิมพ์หยุดพักหรือหยุดทำงาน (%2) ใบนำส่งจะพิมพ์ออกเมื่อเปิดใช้เครื่องพิมพ์อีกครั้ง</translation>
    </message>
</context>
</TS>
