// Exception types of the fiscal-document component, shared by every folder.
#pragma once

#include <stdexcept>
#include <string>

// Raised by the HTTP request objects of the security layer. A sibling of ENivraDFeException
// (both are runtime errors), so a handler of component errors does not catch it by accident.
class ENivraWinReqResp : public std::runtime_error {
 public:
  explicit ENivraWinReqResp(const std::string& msg) : std::runtime_error(msg) {}
};

// The component's error type: carries a Portuguese message, stored unchanged.
class ENivraDFeException : public std::runtime_error {
 public:
  explicit ENivraDFeException(const std::string& msg) : std::runtime_error(msg) {}
};

// Raised by the NF-e services and their container.
class ENivraNFeException : public ENivraDFeException {
 public:
  using ENivraDFeException::ENivraDFeException;
};

// Raised when a certificate does not allow exporting its private key.
class ENivraDFeExceptionNoPrivateKey : public ENivraDFeException {
 public:
  using ENivraDFeException::ENivraDFeException;
};
