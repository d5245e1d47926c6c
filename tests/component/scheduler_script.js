// The component driven by member names from a script, as cscript runs it.
var tasks = new ActiveXObject("TaskScheduler.Schedule");
function check(ok, what) { if (!ok) { WScript.Echo("failed: " + what); WScript.Quit(1); } }
function names() {
    tasks.Refresh();
    var list = [];
    for (var i = 1; i <= tasks.Count; i++) list.push(tasks.Item(i).Name);
    return list.join("|");
}

var before = tasks.Count;
var task = tasks.Add("Script Task B");
task.Creator = "Vantrel";
task.ApplicationName = "C:\\Vantrel\\Vantrel.exe";
task.Parameters = "\"/s\" \"Script Task B\" \"recycle\"";
var trigger = task.Triggers.Add();
trigger.TriggerType = 1;
trigger.StartDate = "03/04/2036 05:06:07";
trigger.StartTime = "03/04/2036 05:06:07";
task.Commit("");
tasks.Add("Script Task A").Commit("");
tasks.Refresh();
check(tasks.Count == before + 2, "both tasks are listed: " + names());
check(names().indexOf("Script Task A|Script Task B") >= 0, "in name order: " + names());

var found = 0;
for (var i = 1; i <= tasks.Count; i++) if (tasks.Item(i).Name == "Script Task B") found = i;
check(found > 0, "the task is found by name");
check(tasks.Item(found).Creator == "Vantrel", "its creator reads back");
check(tasks.Item(found).Parameters == "\"/s\" \"Script Task B\" \"recycle\"", "its parameters read back");

var refused = "";
try { tasks.Add("Script Task B"); } catch (e) { refused = e.description; }
check(refused == "A task named \"Script Task B\" already exists.", "a duplicate is refused: " + refused);

tasks.Remove(found);
tasks.Remove(found - 1);
check(tasks.Count == before, "both are removed");
check(names().indexOf("Script Task") < 0, "neither is listed");
WScript.Echo("script passed");
