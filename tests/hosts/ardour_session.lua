-- Run by ardour7-lua: makes a session with one stereo track carrying Zindra
-- with the given parameter values and saves it. The audio is added to the
-- saved session file afterwards (the Lua interface has no import).
-- Environment: SESSION_DIR, SESSION_RATE, ZINDRA_PARAMS (the values, spaces);
-- ZINDRA_PLUGIN_TYPE and ZINDRA_PLUGIN name the plug-in (by default the
-- VST 2 library, "LXVST" and "Zindra"; the LV2 bundle is "LV2" and its URI).
io.stdout:setvbuf("no")
local dir = os.getenv("SESSION_DIR")
local rate = tonumber(os.getenv("SESSION_RATE"))

AudioEngine:set_backend("None (Dummy)", "", "")
local session = create_session(dir, "zindra", rate)
assert(session, "no session")
local track = session:new_audio_track(2, 2, nil, 1, "Zindra", -1, ARDOUR.TrackMode.Normal, true):front()
local kind = ARDOUR.PluginType[os.getenv("ZINDRA_PLUGIN_TYPE") or "LXVST"]
local proc = ARDOUR.LuaAPI.new_plugin(session, os.getenv("ZINDRA_PLUGIN") or "Zindra", kind, "")
assert(not proc:isnil(), "Zindra not found")
local plugin = proc:to_insert():plugin(0)
-- The control inputs (an LV2 plug-in's count includes its audio and latency ports).
local controls = 0
for i = 0, plugin:parameter_count() - 1 do
    if plugin:parameter_is_control(i) and plugin:parameter_is_input(i) then controls = controls + 1 end
end
print("parameters " .. controls)
local index = 0
for value in string.gmatch(os.getenv("ZINDRA_PARAMS"), "%S+") do
    ARDOUR.LuaAPI.set_processor_param(proc, index, tonumber(value))
    index = index + 1
end
assert(track:add_processor_by_index(proc, 0, nil, true) == 0, "cannot add Zindra to the track")

-- The new track reaches the master bus from a background thread: wait for it.
local function connected() return track:output():nth(0):connected() and track:output():nth(1):connected() end
for _ = 1, 200 do
    if connected() then break end
    ARDOUR.LuaAPI.usleep(10000)
end
assert(connected(), "track not connected to master")
session:save_state("", false, false, false, false, false)
print("saved")
close_session()
