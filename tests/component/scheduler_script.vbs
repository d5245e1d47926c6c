' The component driven by member names from VBScript, which hands its
' variables over by reference and its small numbers as 16-bit integers.
Set tasks = CreateObject("TaskScheduler.Schedule")
Sub Check(ok, what)
    If Not ok Then
        WScript.Echo "failed: " & what
        WScript.Quit 1
    End If
End Sub

before = tasks.Count
Set task = tasks.Add("VB Task")
task.Creator = "Vantrel"
task.ApplicationName = "C:\Vantrel\Vantrel.exe"
task.Parameters = """/s"" ""VB Task"" ""recycle"""
Set trigger = task.Triggers.Add()
trigger.TriggerType = 1
trigger.StartDate = DateAdd("yyyy", 10, Now)
trigger.StartTime = DateAdd("yyyy", 10, Now)
task.Commit ""
tasks.Refresh
Check tasks.Count = before + 1, "the task is listed"

found = 0
For i = 1 To tasks.Count
    If tasks.Item(i).Name = "VB Task" Then found = i
Next
Check found > 0, "the task is found by name"
Check tasks.Item(found).Creator = "Vantrel", "its creator reads back"

On Error Resume Next
tasks.Add "vb task"
refused = Err.Number <> 0
message = Err.Description
On Error GoTo 0
Check refused, "a name differing only in letter case is refused"
Check InStr(message, "letter case") > 0, "the refusal says why: " & message

tasks.Remove found
tasks.Refresh
Check tasks.Count = before, "the task is removed"
WScript.Echo "script passed"
